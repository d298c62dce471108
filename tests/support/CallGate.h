#pragma once
// A gate for the calls of a fake: each call that reaches it is counted and held until the test
// opens it, so that a test sees a call under way (an event, not a sleep) and decides when it ends.

#include <condition_variable>
#include <mutex>

namespace vk::testing {

// Counts the calls that reach it and holds each until it is opened.
class CallGate {
public:
    void Pass() {
        std::unique_lock lock(lock_);
        ++arrived_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitForArrivals(int count) {
        std::unique_lock lock(lock_);
        changed_.wait(lock, [&] { return arrived_ >= count; });
    }
    void Open() {
        std::lock_guard lock(lock_);
        open_ = true;
        changed_.notify_all();
    }
    [[nodiscard]] int Arrived() {
        std::lock_guard lock(lock_);
        return arrived_;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    int arrived_ = 0;
    bool open_ = false;
};

} // namespace vk::testing
