#include "forms/win/SearchButtons.h"

namespace vk {
namespace {

// Whether the window has the keyboard focus of its own thread (asked from any thread).
bool HasThreadFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == window;
}

} // namespace

void SearchButtons::Bind(HWND form, int startId, int stopId, int modeId) {
    form_ = form;
    start_ = GetDlgItem(form, startId);
    stop_ = GetDlgItem(form, stopId);
    mode_ = GetDlgItem(form, modeId);
}

void SearchButtons::Unbind(HWND form) {
    if (form_ != form) {
        return;
    }
    form_ = nullptr;
    start_ = nullptr;
    stop_ = nullptr;
    mode_ = nullptr;
}

void SearchButtons::SetSearchButtons(bool running) {
    // Each call is one message to the user interface thread; a null handle is skipped.
    const auto enable = [](HWND button, bool enabled) {
        if (button) {
            EnableWindow(button, enabled ? TRUE : FALSE);
        }
    };
    const HWND start = Start();
    const HWND stop = Stop();
    enable(start, !running);
    enable(Mode(), !running);
    // A search that ends by itself would leave the keys with the disabled Stop button, where
    // nothing takes them: they go to Start.
    if (!running && start && stop && HasThreadFocus(stop)) {
        SendMessageW(GetParent(stop), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(start), TRUE);
    }
    enable(stop, running);
}

} // namespace vk
