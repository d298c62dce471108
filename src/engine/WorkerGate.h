#pragma once
// The gate that limits the share workers of one search. It behaves like a pair of auto-reset
// events: WorkEvent (the gate, open while it is signalled) and ExitEvent (signalled when the last
// worker has ended). Each engine has its own gate; nothing is named, so two running copies of
// the program never share one.
//
// The gate has hysteresis: the 11th active worker closes it; when one worker ends (10 remain) it
// stays closed, and it opens again only when the count falls to 9.
//
// Each compound step (take the gate and count the worker; uncount and signal) happens under one
// lock, so a worker that ends while another is being admitted can never leave ExitEvent
// signalled while a worker is still active.

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace vk {

class WorkerGate {
public:
    static constexpr int kMaxWorkers = 11;

    // Start of a search: no worker, the gate open, ExitEvent not signalled.
    void Open();

    // Waits for the gate, then counts one more active worker; the 11th closes the gate.
    void Admit();

    // One worker has ended: at 0 ExitEvent is signalled, below 10 the gate opens.
    void Release();

    // Signals ExitEvent when no worker is active (the controller's last dispatch is done).
    void SignalExitIfIdle();

    // Waits for ExitEvent and takes it.
    void WaitForExit();

    [[nodiscard]] int ActiveWorkers() const { return activeWorkers_.load(); }
    [[nodiscard]] bool IsOpen() const;

private:
    mutable std::mutex lock_;
    std::condition_variable changed_;
    bool workEvent_ = true;
    bool exitEvent_ = false;
    std::atomic<int> activeWorkers_{0};
};

} // namespace vk
