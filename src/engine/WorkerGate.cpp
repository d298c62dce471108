#include "engine/WorkerGate.h"

namespace vk {

void WorkerGate::Open() {
    std::lock_guard lock(lock_);
    activeWorkers_ = 0;
    exitEvent_ = false;
    workEvent_ = true;
}

void WorkerGate::Admit() {
    std::unique_lock lock(lock_);
    // Taking the auto-reset event and setting it again at once lets one dispatcher through and
    // leaves the gate as it was.
    changed_.wait(lock, [this] { return workEvent_; });
    exitEvent_ = false;
    if (++activeWorkers_ > kMaxWorkers - 1) {
        workEvent_ = false;
    }
}

void WorkerGate::Release() {
    {
        std::lock_guard lock(lock_);
        const int remaining = --activeWorkers_;
        if (remaining == 0) {
            exitEvent_ = true;
        }
        if (remaining < kMaxWorkers - 1) {
            workEvent_ = true;
        }
    }
    changed_.notify_all();
}

void WorkerGate::SignalExitIfIdle() {
    {
        std::lock_guard lock(lock_);
        if (activeWorkers_ == 0) {
            exitEvent_ = true;
        }
    }
    changed_.notify_all();
}

void WorkerGate::WaitForExit() {
    std::unique_lock lock(lock_);
    changed_.wait(lock, [this] { return exitEvent_; });
    exitEvent_ = false;
}

bool WorkerGate::IsOpen() const {
    std::lock_guard lock(lock_);
    return workEvent_;
}

} // namespace vk
