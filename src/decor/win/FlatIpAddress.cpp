#include "decor/win/FlatKinds.h"

namespace vk {

bool FlatIpAddress::HasFocus() const {
    HWND focus = GetFocus();
    return focus && (focus == window_ || IsChild(window_, focus));
}

LRESULT FlatIpAddress::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)) {
        RedrawFrame();
        return PassOn(message, wParam, lParam);
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

} // namespace vk
