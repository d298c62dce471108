#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

int FlatTab::ItemUnderPointer() const {
    TCHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(window_, &hit.pt);
    return static_cast<int>(SendMessageW(window_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// Each tab is framed like a header item, deeper under the pointer; the page below keeps the
// system's drawing.
void FlatTab::DrawFrame(HDC dc, const RECT&) {
    hoveredItem_ = HasHover() ? ItemUnderPointer() : -1;
    const int count = static_cast<int>(SendMessageW(window_, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect{};
        if (SendMessageW(window_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect))) {
            DrawRings(dc, rect,
                      Disabled() ? Frame{{SysColour::Face, SysColour::Shadow}} : HeaderItemFrame(i == hoveredItem_));
        }
    }
}

} // namespace vk
