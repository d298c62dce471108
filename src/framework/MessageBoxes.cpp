#include "framework/MessageBoxes.h"

#include <atomic>
#include <string>

namespace vk::ui {
namespace {

std::atomic<HWND> theMainWindow{nullptr};

bool IsOurs(HWND window) {
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

} // namespace

void SetMainWindow(HWND window) {
    theMainWindow = window;
}

HWND MainWindow() {
    return theMainWindow;
}

HWND MessageBoxOwner() {
    HWND window = GetActiveWindow();
    if (!window) {
        const HWND foreground = GetForegroundWindow();
        window = IsOurs(foreground) ? foreground : theMainWindow.load();
    }
    if (!window || !IsWindow(window)) {
        return nullptr;
    }
    window = GetAncestor(window, GA_ROOT);
    // A window kept from input by a dialog of its own hands the box to that dialog.
    if (const HWND popup = GetLastActivePopup(window); popup && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        window = popup;
    }
    return IsWindowVisible(window) ? window : nullptr;
}

int ShowMessageBox(std::wstring_view text, std::wstring_view caption, UINT flags) {
    return MessageBoxW(MessageBoxOwner(), std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

} // namespace vk::ui
