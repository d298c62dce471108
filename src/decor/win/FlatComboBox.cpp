#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

bool FlatComboBox::HasFocus() const {
    HWND focus = GetFocus();
    if ((Style() & 0x3) == CBS_DROPDOWN) {
        HWND child = GetWindow(window_, GW_CHILD);
        return child && focus == child;
    }
    return focus == window_;
}

LRESULT FlatComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The child edit's focus gain and loss (the combo box itself never has the focus then).
    const bool editFocus = message == WM_COMMAND && lParam != 0 &&
                           GetParent(reinterpret_cast<HWND>(lParam)) == window_ &&
                           (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS);
    if (editFocus || (message == WM_LBUTTONUP && lParam == -1)) {
        RedrawFrame();
        return PassOn(message, wParam, lParam);
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

void FlatComboBox::DrawFrame(HDC dc, const RECT& rect) {
    DrawGenericFrame(dc, rect);
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    const RECT button{rect.right - 2 - arrow, rect.top + 2, rect.right - 2, rect.bottom - 2};
    DrawRings(dc, button, ButtonPartFrame(HotOrFocused(), Disabled()));
}

void FlatDateTime::DrawFrame(HDC dc, const RECT& rect) {
    if ((Style() & DTS_UPDOWN) != 0) {
        DrawGenericFrame(dc, rect);
    } else {
        FlatComboBox::DrawFrame(dc, rect);
    }
}

} // namespace vk
