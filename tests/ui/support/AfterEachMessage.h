#pragma once
// Sees, on the user interface thread, each message that a window of the thread has just handled
// (a WH_CALLWNDPROCRET hook): what the window's procedure made of it, its results and the state
// it left. Watchers may be nested; each sees every message while it lives.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace vk::testing {

class AfterEachMessage {
public:
    explicit AfterEachMessage(std::function<void(const CWPRETSTRUCT&)> seen) : seen_(std::move(seen)) {
        if (Watchers().empty()) {
            Hook() = SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterEachMessage::Watch, nullptr, GetCurrentThreadId());
        }
        Watchers().push_back(this);
    }
    ~AfterEachMessage() {
        auto& watchers = Watchers();
        watchers.erase(std::remove(watchers.begin(), watchers.end(), this), watchers.end());
        if (watchers.empty()) {
            UnhookWindowsHookEx(Hook());
            Hook() = nullptr;
        }
    }
    AfterEachMessage(const AfterEachMessage&) = delete;
    AfterEachMessage& operator=(const AfterEachMessage&) = delete;

private:
    static std::vector<AfterEachMessage*>& Watchers() {
        static std::vector<AfterEachMessage*> watchers;
        return watchers;
    }
    static HHOOK& Hook() {
        static HHOOK hook = nullptr;
        return hook;
    }
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION) {
            const auto watchers = Watchers(); // a watcher may end while it is called
            for (AfterEachMessage* watcher : watchers) {
                watcher->seen_(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    std::function<void(const CWPRETSTRUCT&)> seen_;
};

} // namespace vk::testing
