#pragma once
// Follows the threads that call into a test's fakes: how many of them are still alive, and how
// often one of them called after the test had declared the fakes gone (Release). A thread counts
// from its first call until it has ended; the thread that made the watch is not counted.
//
// A thread's end is seen through its handle on Windows, and through a thread-local object's
// destructor elsewhere (with mingw-w64 such destructors run late, if at all, so they are not
// used there).

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vk::testing {

class ThreadWatch {
public:
    ThreadWatch() = default;
    ThreadWatch(const ThreadWatch&) = delete;
    ThreadWatch& operator=(const ThreadWatch&) = delete;
    ~ThreadWatch() {
#ifdef _WIN32
        for (const HANDLE thread : threads_) {
            CloseHandle(thread);
        }
#endif
    }

    // The fakes call this at every call.
    void Touch() {
        if (released_) {
            ++touchesAfterRelease_;
        }
        if (std::this_thread::get_id() == owner_) {
            return;
        }
#ifdef _WIN32
        std::lock_guard lock(lock_);
        const DWORD id = GetCurrentThreadId();
        for (const DWORD known : ids_) {
            if (known == id) {
                return;
            }
        }
        ids_.push_back(id);
        threads_.push_back(OpenThread(SYNCHRONIZE, FALSE, id));
#else
        thread_local ThreadEnd end;
        if (end.live != live_) {
            if (end.live) {
                --*end.live;
            }
            end.live = live_;
            ++*live_;
        }
#endif
    }

    // From now on every call is a use of something that is gone.
    void Release() {
        released_ = true;
    }

    [[nodiscard]] int LiveThreads() const {
#ifdef _WIN32
        std::lock_guard lock(lock_);
        int live = 0;
        for (const HANDLE thread : threads_) {
            live += WaitForSingleObject(thread, 0) == WAIT_TIMEOUT ? 1 : 0;
        }
        return live;
#else
        return live_->load();
#endif
    }
    [[nodiscard]] int TouchesAfterRelease() const {
        return touchesAfterRelease_.load();
    }

private:
#ifdef _WIN32
    mutable std::mutex lock_;
    std::vector<DWORD> ids_;
    std::vector<HANDLE> threads_;
#else
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
    std::shared_ptr<std::atomic<int>> live_ = std::make_shared<std::atomic<int>>(0);
#endif
    std::thread::id owner_ = std::this_thread::get_id();
    std::atomic<bool> released_{false};
    std::atomic<int> touchesAfterRelease_{0};
};

} // namespace vk::testing
