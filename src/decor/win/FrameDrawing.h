#pragma once
// Drawing the rings and frames of the decoration with plain GDI.

#include "decor/FlatFrames.h"
#include "decor/FlatGeometry.h"
#include "framework/Win32.h"

namespace vk {

[[nodiscard]] COLORREF SysColourValue(SysColour colour);

// Fills a rectangle with one colour (no brush needed).
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// The outline of rect: top and left edges in topLeft, bottom and right edges in bottomRight.
void DrawRing(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// The frame's rings from rect inwards, one pixel apart. Returns the rectangle inside them.
RECT DrawRings(HDC dc, RECT rect, const Frame& frame);

[[nodiscard]] inline RECT ToRect(const DecorRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
[[nodiscard]] inline DecorRect ToDecorRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace vk
