#include "results/CellHitTest.h"

#include <algorithm>

namespace vk {

int LastRowToHitTest(int top, int rowsPerPage, int itemCount) {
    return std::min(top + rowsPerPage, itemCount - 1);
}

CellHit FindCell(int x, int y, int top, const std::vector<CellRect>& rowRects, const std::vector<int>& columnWidths,
                 int clientRight) {
    for (std::size_t i = 0; i < rowRects.size(); ++i) {
        const CellRect& row = rowRects[i];
        if (x < row.left || x >= row.right || y < row.top || y >= row.bottom) {
            continue;
        }
        int x0 = row.left;
        for (std::size_t column = 0; column < columnWidths.size(); ++column) {
            const int width = columnWidths[column];
            if (x0 <= x && x <= x0 + width) {
                CellHit hit;
                hit.row = top + static_cast<int>(i);
                hit.column = static_cast<int>(column);
                hit.rect = {x0, row.top, std::min(x0 + width, clientRight), row.bottom};
                return hit;
            }
            x0 += width;
        }
    }
    return {};
}

} // namespace vk
