#pragma once
// The program's own pane rules: how the main frame and the left side size their panes from the
// search form that is shown (the splitter's rule itself is the framework's, SplitterLayout.h).

#include "forms/FormHost.h"
#include "framework/SplitterLayout.h"

#include <array>

namespace vk {

// The system sizes the layout depends on: the sizing border's width and height (SM_CXFRAME,
// SM_CYFRAME) and the width of a window edge (SM_CXEDGE).
struct FrameMetrics {
    int frameWidth = 0;
    int frameHeight = 0;
    int edge = 0;
};

// The main splitter's two columns, the left side and the result list, for a client area of
// clientWidth: the left side as wide as the form with a sizing border on either side, or nothing
// when there is no form yet or no room for it.
[[nodiscard]] std::array<PaneSize, 2> MainColumns(int clientWidth, FormSize form, const FrameMetrics& metrics);

// The left side's two rows, the network tree above the form, for a view clientHeight high: the
// form row as high as the form with a sizing border above and below, or nothing when there is no
// room for it.
[[nodiscard]] std::array<PaneSize, 2> FormRows(int clientHeight, FormSize form, const FrameMetrics& metrics);

// Where the left side puts its splitter: an edge's width beyond the view on every side, so that
// the splitter's own outer edges are not seen.
[[nodiscard]] PaneRect InnerSplitterRect(int clientWidth, int clientHeight, const FrameMetrics& metrics);

} // namespace vk
