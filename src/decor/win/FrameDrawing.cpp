#include "decor/win/FrameDrawing.h"

namespace vk {

COLORREF SysColourValue(SysColour colour) {
    switch (colour) {
    case SysColour::Face:
        return GetSysColor(COLOR_BTNFACE);
    case SysColour::Shadow:
        return GetSysColor(COLOR_BTNSHADOW);
    case SysColour::Highlight:
        return GetSysColor(COLOR_BTNHIGHLIGHT);
    case SysColour::DarkShadow:
        return GetSysColor(COLOR_3DDKSHADOW);
    case SysColour::Light:
        return GetSysColor(COLOR_3DLIGHT);
    case SysColour::Window:
        return GetSysColor(COLOR_WINDOW);
    }
    return GetSysColor(COLOR_BTNFACE);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void DrawRing(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const LONG l = rect.left;
    const LONG t = rect.top;
    const LONG r = rect.right;
    const LONG b = rect.bottom;
    if (r - l < 1 || b - t < 1) {
        return;
    }
    FillSolid(dc, {l, t, r - 1, t + 1}, topLeft);
    FillSolid(dc, {l, t, l + 1, b - 1}, topLeft);
    FillSolid(dc, {r - 1, t, r, b}, bottomRight);
    FillSolid(dc, {l, b - 1, r, b}, bottomRight);
}

RECT DrawRings(HDC dc, RECT rect, const Frame& frame) {
    for (int i = 0; i < frame.count; ++i) {
        const Ring& ring = frame.rings[static_cast<std::size_t>(i)];
        DrawRing(dc, rect, SysColourValue(ring.topLeft), SysColourValue(ring.bottomRight));
        InflateRect(&rect, -1, -1);
    }
    return rect;
}

} // namespace vk
