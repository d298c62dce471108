#pragma once
// The arithmetic of a dockable bar, apart from any window: where a bar docked on a side of its
// frame lies and what it leaves for the panes, and which side a bar dragged by its gripper goes to.

#include "framework/PixelRect.h"

#include <optional>

namespace vk {

enum class DockSide { Top, Bottom, Left, Right };

[[nodiscard]] constexpr bool IsVertical(DockSide side) {
    return side == DockSide::Left || side == DockSide::Right;
}

struct DockedLayout {
    PixelRect bar;  // the bar's rectangle
    PixelRect rest; // what is left of the area
};

// A bar of the given thickness (its height on the top or bottom, its width on the left or right)
// docked on one side of area: it spans that whole side. A thickness larger than the area leaves
// nothing else.
[[nodiscard]] DockedLayout LayOutDockedBar(const PixelRect& area, DockSide side, int thickness);

// How far from a side of the frame's area, inside or out, a bar let go docks on that side.
constexpr int kDockZone = 32;

// The side a bar let go at (x, y) docks on: the nearest side of area within kDockZone of the
// point (inside the area, or outside it beside the side); none when the point is farther from
// every side: the bar floats there.
[[nodiscard]] std::optional<DockSide> DockSideAt(const PixelRect& area, int x, int y);

} // namespace vk
