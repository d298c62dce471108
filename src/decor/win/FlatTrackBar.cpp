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
    const bool hasThumb = (style & TBS_NOTHUMB) == 0;
    if (hasThumb) {
        // The thumb lies on the channel: the channel's frame goes round it.
        ExcludeClipRect(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
    }
    DrawRings(dc, channel, TrackBarChannelFrame(HotOrFocused()));
    if (hasThumb) {
        SelectClipRgn(dc, nullptr);
        // A flat thumb: a plain face with the rings of a flat button, whatever its pointed shape was.
        const RECT inside = DrawRings(dc, thumb, ButtonPartFrame(HotOrFocused(), Disabled()));
        FillSolid(dc, inside, GetSysColor(COLOR_BTNFACE));
    }
}

} // namespace vk
