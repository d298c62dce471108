#include "results/CellHitTest.h"
#include "results/ResultTips.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(ResultTips, ToolIdsByThe1024Rule) {
    EXPECT_EQ(ToolIdOfCell(0, 0), 1);
    EXPECT_EQ(ToolIdOfCell(2, 1), 2050);
    EXPECT_EQ(ToolIdOfCell(1, 1025), 1026); // the column is taken mod 1024
    EXPECT_EQ(RowOfToolId(2050), 2);
    EXPECT_EQ(RowOfToolId(1), 0);
    EXPECT_EQ(RowOfToolId(1024), 0);
    EXPECT_EQ(RowOfToolId(1025), 1);
    // Rows far down keep their ids apart.
    EXPECT_EQ(RowOfToolId(ToolIdOfCell(100000, 2)), 100000);
}

TEST(ResultTips, FileAndFolderFormsCutAt79Characters) {
    const std::wstring file = ResultTipText(L"report.doc", L"1234");
    EXPECT_EQ(file, L"double-click for open/run file \"report.doc\"");
    EXPECT_EQ(file.size(), 43u);
    EXPECT_EQ(ResultTipText(L"Docs", L""), L"double-click for open folder \"Docs\"");
    EXPECT_EQ(ResultTipText(L"", L""), L"double-click for open folder \"\"");

    const std::wstring longName(100, L'n');
    const std::wstring cut = ResultTipText(longName, L"1");
    EXPECT_EQ(cut.size(), 79u);
    EXPECT_EQ(cut, (L"double-click for open/run file \"" + longName).substr(0, 79));
    EXPECT_EQ(ResultTipText(std::wstring(47, L'x'), L"1").size(), 79u); // 32 + 47: the quote is cut off
    EXPECT_EQ(ResultTipText(std::wstring(46, L'x'), L"1").back(), L'"');
    // A character outside the basic plane that the cut would halve goes whole.
    const std::wstring pair = L"\xD83D\xDCC4";
    EXPECT_EQ(ResultTipText(std::wstring(46, L'x') + pair, L"1"), cut.substr(0, 32) + std::wstring(46, L'x'));
    EXPECT_EQ(ResultTipText(std::wstring(45, L'x') + pair, L"1").substr(77), pair);
}

TEST(CellHitTest, LastRowIncludesThePartlyVisibleOneButNotPastTheEnd) {
    EXPECT_EQ(LastRowToHitTest(10, 20, 100), 30);
    EXPECT_EQ(LastRowToHitTest(90, 20, 100), 99);
    EXPECT_EQ(LastRowToHitTest(0, 20, 0), -1);
}

TEST(CellHitTest, FindsTheCellByColumnSpansFromTheRowsLeftEdge) {
    // Rows 5 and 6 shown, 20 pixels high, scrolled 30 pixels to the left; columns 100, 50, 200.
    const std::vector<CellRect> rows = {{-30, 0, 320, 20}, {-30, 20, 320, 40}};
    const std::vector<int> widths = {100, 50, 200};
    CellHit hit = FindCell(75, 25, 5, rows, widths, 300);
    EXPECT_EQ(hit.row, 6);
    EXPECT_EQ(hit.column, 1);
    EXPECT_EQ(hit.rect, (CellRect{70, 20, 120, 40}));
    // On a border the column to the left has it; the last column is cut at the client edge.
    hit = FindCell(70, 0, 5, rows, widths, 300);
    EXPECT_EQ(hit.column, 0);
    EXPECT_EQ(hit.rect, (CellRect{-30, 0, 70, 20}));
    hit = FindCell(200, 0, 5, rows, widths, 300);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(hit.rect.right, 300);
    // Below the rows, and right of the last column: nothing.
    EXPECT_EQ(FindCell(10, 40, 5, rows, widths, 300).row, -1);
    EXPECT_EQ(FindCell(10, 10, 5, rows, {10, 10}, 300).row, -1);
}

} // namespace
} // namespace vk
