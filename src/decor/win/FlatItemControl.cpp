#include "decor/win/FlatKinds.h"
#include "decor/win/FlatLook.h"

namespace vk {

bool FlatItemControl::MayTakeHover() const {
    return theFlatLook.Hovered() != window_ || ItemUnderPointer() != hoveredItem_;
}

FrameSurface FlatItemControl::DrawingSurface() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {gdi::WindowDc(window_, false), client};
}

LRESULT FlatItemControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (forgetOnPaint_ && (message == WM_PAINT || message == WM_NCPAINT)) {
        hoveredItem_ = -1;
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

} // namespace vk
