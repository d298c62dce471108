#pragma once
// Driving windows the way a person does, from inside a test: mouse clicks and keys as input of
// the system (SendInput), and steps that run while a modal loop (a menu, a dialog) holds the
// thread.

#include "framework/Win32.h"

#include <functional>
#include <utility>

namespace vk::testing {

// Moves the pointer to a screen point and clicks there with the left or the right button.
inline void ClickAt(POINT point, bool right = false) {
    SetCursorPos(point.x, point.y);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// The centre of a window (or control) on the screen.
inline POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Presses and releases a key (a virtual-key code).
inline void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Runs step on this thread every 50 ms, also inside modal loops, until it returns true (it is
// then dropped) or the object ends. For what must happen while a menu or a dialog is open.
class WhileModal {
public:
    explicit WhileModal(std::function<bool()> step) : step_(std::move(step)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 50, &WhileModal::Tick);
    }
    ~WhileModal() {
        Stop();
        Current() = nullptr;
    }
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;

    [[nodiscard]] bool Done() const { return timer_ == 0; }

private:
    static WhileModal*& Current() {
        static WhileModal* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileModal* self = Current();
        if (self && self->timer_ && self->step_()) {
            self->Stop();
        }
    }
    void Stop() {
        if (timer_) {
            KillTimer(nullptr, timer_);
            timer_ = 0;
        }
    }

    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
};

} // namespace vk::testing
