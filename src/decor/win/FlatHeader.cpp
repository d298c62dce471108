#include "decor/win/FlatKinds.h"
#include "decor/win/FlatLook.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

int FlatHeader::ItemUnderPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Only while the pointer is also inside the parent's client area.
    HWND parent = GetParent(window_);
    POINT inParent = pointer;
    RECT parentClient{};
    if (parent) {
        ScreenToClient(parent, &inParent);
        GetClientRect(parent, &parentClient);
        if (!PtInRect(&parentClient, inParent)) {
            return -1;
        }
    }
    HDHITTESTINFO hit{};
    hit.pt = pointer;
    ScreenToClient(window_, &hit.pt);
    const auto item = static_cast<int>(SendMessageW(window_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) != 0 || (hit.flags & HHT_ONDIVIDER) != 0 ? item : -1;
}

void FlatHeader::DrawFrame(HDC dc, const RECT& rect) {
    hoveredItem_ = HasHover() ? ItemUnderPointer() : -1;
    const int count = static_cast<int>(SendMessageW(window_, HDM_GETITEMCOUNT, 0, 0));
    int right = rect.left;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (SendMessageW(window_, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
            DrawRings(dc, item, HeaderItemFrame(i == hoveredItem_));
            right = std::max(right, static_cast<int>(item.right));
        }
    }
    if (right < rect.right) {
        DrawRings(dc, {right, rect.top, rect.right, rect.bottom}, HeaderItemFrame(false));
    }
    // A decorated list view above shows a hot header item as its own hover.
    if (FlatControl* parent = theFlatLook.FindControl(GetParent(window_))) {
        const bool hot = hoveredItem_ >= 0;
        if (parent->HasHover() != hot && theFlatLook.Hovered() != parent->Window()) {
            parent->SetHover(hot);
            parent->RedrawFrame();
        }
    }
}

} // namespace vk
