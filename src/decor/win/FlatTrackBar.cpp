#include "decor/win/FlatKinds.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

FrameSurface FlatTrackBar::DrawingSurface() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {gdi::WindowDc(window_, false), client};
}

void FlatTrackBar::DrawFrame(HDC dc, const RECT&) {
    const DWORD style = Style();
    RECT channel{};
    SendMessageW(window_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    RECT thumb{};
    SendMessageW(window_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if ((style & TBS_VERT) != 0 && channel.right - channel.left > channel.bottom - channel.top) {
        // The channel of a vertical bar is reported lying down: turn it and centre it on the
        // thumb.
        const int thickness = channel.bottom - channel.top;
        const int centre = (thumb.left + thumb.right) / 2;
        channel = {centre - thickness / 2, channel.left, centre - thickness / 2 + thickness, channel.right};
    }
    DrawRings(dc, channel, TrackBarChannelFrame(HotOrFocused()));
    if ((style & TBS_NOTHUMB) == 0) {
        DrawRings(dc, thumb, ButtonPartFrame(HotOrFocused(), Disabled()));
    }
}

} // namespace vk
