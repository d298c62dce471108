#pragma once
// Which cell of the result list lies under a point, for its per-cell tooltips. The window side
// hands over what the list shows (the rows from the first visible one, their rectangles, the
// columns' widths); the arithmetic is here.

#include <vector>

namespace vk {

struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CellRect&) const = default;
};

struct CellHit {
    int row = -1; // -1: no cell
    int column = -1;
    CellRect rect;
};

// The last row to look at: top plus the rows that fit fully in the view, so the partly visible
// row below them counts, but at most the list's last row.
[[nodiscard]] int LastRowToHitTest(int top, int rowsPerPage, int itemCount);

// rowRects[i] is the bounding rectangle of row top + i. A point inside a row (left and top
// inclusive, right and bottom exclusive) finds the column whose span x0 <= x <= x0 + width holds
// it, walking the columns in order from the row's left edge; the cell is the row's rectangle
// from x0 to x0 + width, cut at the client area's right edge. A point right of the last column
// finds nothing.
[[nodiscard]] CellHit FindCell(int x, int y, int top, const std::vector<CellRect>& rowRects,
                               const std::vector<int>& columnWidths, int clientRight);

} // namespace vk
