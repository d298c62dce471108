#pragma once
// Short ways to lay out a row of panes by the splitter's rule and read the sizes it gave them.

#include "framework/SplitterLayout.h"

#include <vector>

namespace vk::testing {

inline std::vector<PaneSpan> Lay(std::vector<PaneSize> panes, int space, int start = 0) {
    return LayOutPanes(panes, start, space);
}

inline std::vector<int> Sizes(const std::vector<PaneSpan>& spans) {
    std::vector<int> sizes;
    for (const PaneSpan& span : spans) {
        sizes.push_back(span.size);
    }
    return sizes;
}

} // namespace vk::testing
