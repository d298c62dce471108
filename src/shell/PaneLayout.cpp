#include "shell/PaneLayout.h"

#include <algorithm>

namespace vk {

std::array<PaneSize, 2> MainColumns(int clientWidth, FormSize form, const FrameMetrics& metrics) {
    int left = form.width == 0 ? 0 : std::max(form.width + 2 * metrics.frameWidth, 0);
    if (clientWidth - left < 0) {
        left = 0;
    }
    return {PaneSize{left, 0}, PaneSize{clientWidth - left, 20}};
}

std::array<PaneSize, 2> FormRows(int clientHeight, FormSize form, const FrameMetrics& metrics) {
    int height = std::max(form.height + 2 * metrics.frameHeight, 0);
    if (clientHeight - height < 0) {
        height = 0;
    }
    return {PaneSize{clientHeight - height, 0}, PaneSize{height, 20}};
}

PaneRect InnerSplitterRect(int clientWidth, int clientHeight, const FrameMetrics& metrics) {
    return {-metrics.edge, -metrics.edge, clientWidth + 2 * metrics.edge, clientHeight + 2 * metrics.edge};
}

} // namespace vk
