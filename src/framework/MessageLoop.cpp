#include "framework/MessageLoop.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <optional>
#include <vector>

namespace vk::ui {
namespace {

// Touched on the user interface thread only.
std::vector<HWND>& KeyDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

// Ctrl and a letter in an edit box (a combo box's edit part included).
bool IsEditBoxKey(const MSG& msg, WPARAM letter) {
    if (msg.message != WM_KEYDOWN || msg.wParam != letter || (GetKeyState(VK_CONTROL) & 0x8000) == 0 ||
        (GetKeyState(VK_MENU) & 0x8000) != 0) {
        return false;
    }
    wchar_t className[16] = {};
    GetClassNameW(msg.hwnd, className, static_cast<int>(std::size(className)));
    return _wcsicmp(className, L"Edit") == 0;
}

// Ctrl+C and Ctrl+A in an edit box copy and select the box's text, even where the main window's
// accelerators give the keys commands of their own. The box copies by itself; not every version
// of the control selects all by itself, so that is done here.
bool HandleEditBoxKeys(const MSG& msg, bool& handled) {
    if (IsEditBoxKey(msg, 'A')) {
        SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
        handled = true;
        return true;
    }
    handled = false;
    return IsEditBoxKey(msg, 'C');
}

} // namespace

void RegisterDialogForKeys(HWND dialog) {
    auto& dialogs = KeyDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end()) {
        dialogs.push_back(dialog);
    }
}

void UnregisterDialogForKeys(HWND dialog) {
    auto& dialogs = KeyDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool PreTranslate(MSG& msg, HWND acceleratorWindow, HACCEL accelerators) {
    bool handled = false;
    const bool editBoxKey = HandleEditBoxKeys(msg, handled);
    if (handled) {
        return true;
    }
    if (accelerators && acceleratorWindow && !editBoxKey &&
        TranslateAcceleratorW(acceleratorWindow, accelerators, &msg)) {
        return true;
    }
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
        return false;
    }
    auto& dialogs = KeyDialogs();
    // Windows that have gone away are forgotten here, where it costs nothing to notice.
    dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(), [](HWND d) { return !IsWindow(d); }), dialogs.end());
    for (const HWND dialog : dialogs) {
        if ((msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) && IsDialogMessageW(dialog, &msg)) {
            return true;
        }
    }
    return false;
}

int RunMessageLoop(HWND acceleratorWindow, HACCEL accelerators, const std::function<void()>& onIdle) {
    MSG msg{};
    for (;;) {
        if (onIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            onIdle();
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            break;
        }
        if (!PreTranslate(msg, acceleratorWindow, accelerators)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

void PumpWaitingMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!PreTranslate(msg, nullptr, nullptr)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PumpUntilDone(const std::function<bool()>& done) {
    std::optional<int> quit;
    while (!done()) {
        // Sent messages are handled inside the wait and the peeks; posted ones by the loop.
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg{};
        while (!done() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = static_cast<int>(msg.wParam);
            } else if (!PreTranslate(msg, nullptr, nullptr)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    if (quit) {
        PostQuitMessage(*quit);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return done();
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        // Sent messages are handled inside the wait itself; posted ones by the pump.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<long long>(left, 10)), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        PumpWaitingMessages();
    }
    return true;
}

} // namespace vk::ui
