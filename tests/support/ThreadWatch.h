#pragma once
// Follows the threads that call into a test's fakes: how many of them are still alive, and how
// often one of them called after the test had declared the fakes gone (Release). A thread counts
// from its first call until it has ended; the thread that made the watch is not counted.

#include <atomic>
#include <memory>
#include <thread>

namespace vk::testing {

class ThreadWatch {
public:
    // The fakes call this at every call.
    void Touch() {
        if (released_) {
            ++touchesAfterRelease_;
        }
        if (std::this_thread::get_id() == owner_) {
            return;
        }
        // Runs its destructor when the thread ends.
        thread_local ThreadEnd end;
        if (end.live != live_) {
            if (end.live) {
                --*end.live;
            }
            end.live = live_;
            ++*live_;
        }
    }

    // From now on every call is a use of something that is gone.
    void Release() { released_ = true; }

    [[nodiscard]] int LiveThreads() const { return live_->load(); }
    [[nodiscard]] int TouchesAfterRelease() const { return touchesAfterRelease_.load(); }

private:
    struct ThreadEnd {
        ThreadEnd() = default;
        ThreadEnd(const ThreadEnd&) = delete;
        ThreadEnd& operator=(const ThreadEnd&) = delete;
        ~ThreadEnd() {
            if (live) {
                --*live;
            }
        }
        std::shared_ptr<std::atomic<int>> live;
    };

    std::thread::id owner_ = std::this_thread::get_id();
    std::shared_ptr<std::atomic<int>> live_ = std::make_shared<std::atomic<int>>(0);
    std::atomic<bool> released_{false};
    std::atomic<int> touchesAfterRelease_{0};
};

} // namespace vk::testing
