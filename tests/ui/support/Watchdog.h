#pragma once
// A guard for user-interface tests that might deadlock: it ends the test program with a message
// when the user interface thread has made no progress (no Tick) for a while. A blocked thread
// cannot be woken, and a test that waits for ever reports nothing.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace vk::testing {

class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] { Watch(limit); }) {}
    ~Watchdog() {
        done_ = true;
        thread_.join();
    }
    void Tick() { ++ticks_; }

private:
    void Watch(std::chrono::seconds limit) {
        auto last = ticks_.load();
        auto since = std::chrono::steady_clock::now();
        while (!done_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const auto now = std::chrono::steady_clock::now();
            if (ticks_.load() != last) {
                last = ticks_.load();
                since = now;
            } else if (now - since > limit) {
                std::fprintf(stderr, "the user interface thread is blocked: deadlock\n");
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    }
    std::atomic<bool> done_{false};
    std::atomic<long> ticks_{0};
    std::thread thread_;
};

} // namespace vk::testing
