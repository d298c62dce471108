#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

LRESULT FlatPushButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Pressing and releasing, and becoming the default button, redraw the button at once.
    if (message == BM_SETSTATE || message == BM_SETSTYLE || message == BM_SETCHECK) {
        return PassOnAndRedraw(message, wParam, lParam);
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

void FlatPushButton::DrawFrame(HDC dc, const RECT& rect) {
    const auto state = static_cast<UINT>(SendMessageW(window_, BM_GETSTATE, 0, 0));
    const bool pressed = (state & (BST_PUSHED | BST_CHECKED)) != 0;
    const bool isDefault = (Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON && !Disabled();
    DrawRings(dc, rect, PushButtonFrame(HotOrFocused(), isDefault, pressed));
}

} // namespace vk
