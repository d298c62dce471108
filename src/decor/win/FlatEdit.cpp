#include "decor/DecoratorChoice.h"
#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {
namespace {

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return SameClassName(className, name);
}

} // namespace

void FlatEdit::UpdateFlags() {
    flags_ = (Style() & ES_READONLY) != 0 ? (flags_ | flat::kReadOnly) : (flags_ & ~flat::kReadOnly);
}

HWND FlatEdit::AttachedUpDown() const {
    HWND next = GetWindow(window_, GW_HWNDNEXT);
    if (!next || !HasClass(next, UPDOWN_CLASSW)) {
        return nullptr;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(next, GWL_STYLE));
    if ((style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) == 0) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(SendMessageW(next, UDM_GETBUDDY, 0, 0)) == window_ ? next : nullptr;
}

void FlatEdit::DrawFrame(HDC dc, const RECT& rect) {
    RECT frame = rect;
    if (HWND upDown = AttachedUpDown()) {
        // The frame runs on over the up-down control (and is cut off at the edit's edge there);
        // a line along the up-down's top closes it.
        const RECT upDownRect = WindowRectAtOrigin(upDown);
        const int widen = upDownRect.right - GetSystemMetrics(SM_CXEDGE);
        const bool alignedLeft = (GetWindowLongPtrW(upDown, GWL_STYLE) & UDS_ALIGNLEFT) != 0;
        if (alignedLeft) {
            frame.left -= widen;
        } else {
            frame.right += widen;
        }
        const COLORREF line = Disabled()       ? GetSysColor(COLOR_BTNFACE)
                              : HotOrFocused() ? GetSysColor(COLOR_3DDKSHADOW)
                                               : GetSysColor(COLOR_BTNHIGHLIGHT);
        gdi::WindowDc upDownDc(upDown, true);
        if (upDownDc) {
            FillSolid(upDownDc.Get(), {0, 0, upDownRect.right, 1}, line);
            if (alignedLeft) {
                FillSolid(upDownDc.Get(), {0, 0, 1, upDownRect.bottom}, line);
            }
        }
    }
    DrawGenericFrame(dc, frame);
}

LRESULT FlatEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ENABLE) {
        return FlatControl::HandleMessage(message, wParam, lParam);
    }
    PassOnAndRedraw(message, wParam, lParam);
    if (HWND upDown = AttachedUpDown()) {
        InvalidateRect(upDown, nullptr, TRUE);
    }
    return 0;
}

FrameSurface FlatEditInSimpleCombo::DrawingSurface() const {
    HWND combo = GetParent(window_);
    RECT edit{};
    GetWindowRect(window_, &edit);
    RECT rect{0, 0, edit.right - edit.left + 6, edit.bottom - edit.top + 6};
    return {gdi::WindowDc(combo, true), rect};
}

} // namespace vk
