#include "decor/win/FlatKinds.h"

namespace vk {

LRESULT FlatScrollBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool redraws =
        ((message == SBM_SETPOS || message == SBM_SETSCROLLINFO) && wParam != 0) || message == SBM_SETRANGEREDRAW;
    if (redraws) {
        return PassOnAndRedraw(message, wParam, lParam);
    }
    return FlatControl::HandleMessage(message, wParam, lParam);
}

void FlatScrollBar::DrawFrame(HDC dc, const RECT& rect) {
    const bool vertical = (Style() & SBS_VERT) != 0;
    DrawFlatScrollBar(dc, rect, vertical, window_, SB_CTL, HotOrFocused(), !Disabled());
}

} // namespace vk
