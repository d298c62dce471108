#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

int FlatToolbar::ItemUnderPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(window_, &pointer);
    const auto button = static_cast<int>(SendMessageW(window_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pointer)));
    return button >= 0 ? button : -1;
}

void FlatToolbar::DrawFrame(HDC dc, const RECT&) {
    hoveredItem_ = HasHover() ? ItemUnderPointer() : -1;
    const int count = static_cast<int>(SendMessageW(window_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT rect{};
        if (!SendMessageW(window_, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)) ||
            (button.fsStyle & BTNS_SEP) != 0 ||
            !SendMessageW(window_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect))) {
            continue;
        }
        const bool checked = (button.fsState & TBSTATE_CHECKED) != 0;
        const bool hot = i == hoveredItem_ && (button.fsState & TBSTATE_ENABLED) != 0;
        DrawRings(dc, rect, ToolbarButtonFrame(checked, hot));
    }
}

} // namespace vk
