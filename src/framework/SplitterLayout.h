#pragma once
// The arithmetic of a splitter's panes, apart from any window: how a splitter shares its room
// among a row or a column of panes, and where its panes and bars lie.
//
// A splitter's rule, for the columns and for the rows alike: every pane but the last asks for its
// ideal size (an ideal below the pane's minimum counts as 0, a hidden pane); the last takes what is
// left. Going from the first pane, a pane that fits gets its size; one that does not fit whole gets
// what is left; a pane after the first for which less than its minimum is left is hidden, and what
// is left, with the bar before it, goes to the pane before. After every pane but the last a bar is
// reserved if more room than the bar is left; otherwise the rest goes to that pane.

#include <span>
#include <vector>

namespace vk {

// A splitter's bars and the gap between two panes, in pixels.
constexpr int kSplitterBar = 2;
// The border inside a splitter's edges, on each side.
constexpr int kSplitterBorder = 1;
// How much a pane with a client edge, or a splitter pane, is placed beyond its cell on each side.
constexpr int kPaneEdgeOverlap = 1;

// What one pane of a row or column asks for.
struct PaneSize {
    int ideal = 0;
    int minimum = 0;
};

// One pane of a laid-out row or column: where it starts and its size (0: hidden), and whether the
// bar after it is shown (it starts at start + size).
struct PaneSpan {
    int start = 0;
    int size = 0;
    bool barAfter = false;

    bool operator==(const PaneSpan&) const = default;
};

// Lays out panes along `space` pixels that begin at `start`, with bars of `bar` pixels.
[[nodiscard]] std::vector<PaneSpan> LayOutPanes(std::span<const PaneSize> panes, int start, int space,
                                                int bar = kSplitterBar);

// A window rectangle in its parent's client coordinates.
struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PaneRect&) const = default;
};

// The rectangle a pane window is placed at for its cell. A pane with a client edge, or one that
// is a splitter, is enlarged on every side, so that its edge lies over the splitter's border and
// bars; a hidden pane (an empty cell) gets an empty rectangle at the cell's corner.
[[nodiscard]] PaneRect PaneWindowRect(const PaneSpan& column, const PaneSpan& row, bool enlarged);

// The index of the pane whose bar covers position, or -1 when no shown bar does.
[[nodiscard]] int BarAt(std::span<const PaneSpan> spans, int position, int bar = kSplitterBar);

} // namespace vk
