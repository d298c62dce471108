#include "decor/win/DialogWatcher.h"

#include "decor/win/FlatLook.h"
#include "platform/DebugTrace.h"

namespace vk {

LRESULT DialogWatcher::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
            theFlatLook.DecorateControl(reinterpret_cast<HWND>(lParam));
        }
    } catch (...) {
        DebugTrace(L"a control created in a decorated dialog could not be decorated");
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = PassOn(message, wParam, lParam);
        // The watch ends, and this watcher with it: nothing of it is touched after.
        theFlatLook.EndWatch(dialog_);
        return result;
    }
    return PassOn(message, wParam, lParam);
}

} // namespace vk
