#include "decor/FlatGeometry.h"
#include "decor/win/FlatKinds.h"
#include "decor/win/FlatLook.h"
#include "decor/win/FrameDrawing.h"

namespace vk {
namespace {

HWND Buddy(HWND upDown) {
    return reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0));
}

} // namespace

bool FlatUpDown::HasFocus() const {
    HWND focus = GetFocus();
    HWND buddy = Buddy(window_);
    return focus == window_ || (buddy && focus == buddy);
}

void FlatUpDown::DrawFrame(HDC dc, const RECT& rect) {
    const DWORD style = Style();
    HWND buddy = Buddy(window_);
    const bool alignedLeft = (style & UDS_ALIGNLEFT) != 0;
    const bool aligned = buddy && (style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) != 0;
    FlatControl* buddyDecor = buddy ? theFlatLook.FindControl(buddy) : nullptr;

    RECT buttons = rect;
    if (aligned) {
        buttons.top += 2;
        buttons.bottom -= 2;
        if (alignedLeft) {
            buttons.right -= 2;
        } else {
            buttons.left += 2;
        }
        // The buddy's shallow frame runs on round the buttons.
        const bool buddyHot = buddyDecor && (buddyDecor->Flags() & (flat::kHover | flat::kFocus)) != 0;
        if (buddyDecor && !buddyHot) {
            const bool buddyDisabled = IsWindowEnabled(buddy) == FALSE;
            const COLORREF upper = GetSysColor(buddyDisabled ? COLOR_BTNFACE : COLOR_BTNHIGHLIGHT);
            const COLORREF lower = GetSysColor(buddyDisabled ? COLOR_BTNFACE : COLOR_3DLIGHT);
            FillSolid(dc, {rect.left, buttons.top - 1, rect.right, buttons.top}, upper);
            FillSolid(dc, {rect.left, buttons.bottom, rect.right, buttons.bottom + 1}, lower);
            if (alignedLeft) {
                FillSolid(dc, {buttons.left - 1, buttons.top - 1, buttons.left, buttons.bottom + 1}, upper);
            } else {
                FillSolid(dc, {buttons.right, buttons.top - 1, buttons.right + 1, buttons.bottom + 1}, lower);
            }
        }
    }
    const bool enabled = !Disabled() || (buddy && IsWindowEnabled(buddy));
    const Frame rings = ButtonPartFrame(enabled && HotOrFocused(), false);
    const auto [first, second] = SplitButtons(ToDecorRect(buttons), (style & UDS_HORZ) != 0);
    DrawRings(dc, ToRect(first), rings);
    DrawRings(dc, ToRect(second), rings);

    // The buddy (or a decorated parent) shows the up-down's hover or focus as its own hover.
    FlatControl* partner = buddyDecor ? buddyDecor : theFlatLook.FindControl(GetParent(window_));
    if (partner && IsWindowEnabled(partner->Window())) {
        const bool hot = HotOrFocused();
        if (partner->HasHover() != hot) {
            partner->SetHover(hot);
            partner->RedrawFrame();
        }
    }
}

} // namespace vk
