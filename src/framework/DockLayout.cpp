#include "framework/DockLayout.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vk {

DockedLayout LayOutDockedBar(const PixelRect& area, DockSide side, int thickness) {
    const int across = std::clamp(thickness, 0, IsVertical(side) ? area.Width() : area.Height());
    PixelRect bar = area;
    PixelRect rest = area;
    switch (side) {
    case DockSide::Top:
        bar.bottom = rest.top = area.top + across;
        break;
    case DockSide::Bottom:
        bar.top = rest.bottom = area.bottom - across;
        break;
    case DockSide::Left:
        bar.right = rest.left = area.left + across;
        break;
    case DockSide::Right:
        bar.left = rest.right = area.right - across;
        break;
    }
    return {bar, rest};
}

std::optional<DockSide> DockSideAt(const PixelRect& area, int x, int y) {
    // Beside a side means within the span of the side (with the zone at either end).
    const bool besideRows = y > area.top - kDockZone && y < area.bottom + kDockZone;
    const bool besideColumns = x > area.left - kDockZone && x < area.right + kDockZone;
    struct Candidate {
        DockSide side;
        bool beside;
        int distance;
    };
    const std::array<Candidate, 4> candidates{{
        {DockSide::Top, besideColumns, std::abs(y - area.top)},
        {DockSide::Bottom, besideColumns, std::abs(y - area.bottom)},
        {DockSide::Left, besideRows, std::abs(x - area.left)},
        {DockSide::Right, besideRows, std::abs(x - area.right)},
    }};
    std::optional<DockSide> nearest;
    int best = kDockZone;
    for (const Candidate& candidate : candidates) {
        if (candidate.beside && candidate.distance < best) {
            best = candidate.distance;
            nearest = candidate.side;
        }
    }
    return nearest;
}

} // namespace vk
