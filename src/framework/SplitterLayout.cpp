#include "framework/SplitterLayout.h"

#include <algorithm>
#include <cstddef>

namespace vk {

std::vector<PaneSpan> LayOutPanes(std::span<const PaneSize> panes, int start, int space, int bar) {
    const std::size_t count = panes.size();
    std::vector<PaneSpan> spans(count);
    if (count == 0) {
        return spans;
    }
    // What each pane asks for; the last one takes the rest.
    for (std::size_t i = 0; i + 1 < count; ++i) {
        spans[i].size = panes[i].ideal < panes[i].minimum ? 0 : std::max(panes[i].ideal, 0);
    }
    int left = std::max(space, 0);
    for (std::size_t i = 0; i < count; ++i) {
        PaneSpan& span = spans[i];
        const bool last = i + 1 == count;
        if (last) {
            span.size = left;
        }
        if (left == 0) {
            span.size = 0; // no room left: hidden
            continue;
        }
        if (i != 0 && left < panes[i].minimum) {
            // Too little for this pane: it is hidden, and the pane before it takes the rest and the
            // bar between them.
            span.size = 0;
            spans[i - 1].size += left + bar;
            spans[i - 1].barAfter = false;
            left = 0;
            continue;
        }
        if (span.size > left) {
            span.size = left; // does not fit whole: it gets what is left
        }
        left -= span.size;
        if (!last) {
            if (left > bar) {
                span.barAfter = true;
                left -= bar;
            } else {
                span.size += left; // no room for a bar: the rest goes to this pane
                left = 0;
            }
        }
    }
    int position = start;
    for (PaneSpan& span : spans) {
        span.start = position;
        position += span.size + (span.barAfter ? bar : 0);
    }
    return spans;
}

PaneRect PaneWindowRect(const PaneSpan& column, const PaneSpan& row, bool enlarged) {
    if (column.size <= 0 || row.size <= 0) {
        return {column.start, row.start, 0, 0};
    }
    const int grow = enlarged ? kPaneEdgeOverlap : 0;
    return {column.start - grow, row.start - grow, column.size + 2 * grow, row.size + 2 * grow};
}

int BarAt(std::span<const PaneSpan> spans, int position, int bar) {
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const int barStart = spans[i].start + spans[i].size;
        if (spans[i].barAfter && position >= barStart && position < barStart + bar) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vk
