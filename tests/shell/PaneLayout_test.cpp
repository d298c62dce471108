// How the main frame and the left side size their panes from the form that is shown, laid out by
// the splitter's rule.
#include "shell/PaneLayout.h"
#include "support/LaidOutPanes.h"

#include <gtest/gtest.h>

#include <vector>

namespace vk {
namespace {

using testing::Lay;
using testing::Sizes;

// Wine's sizing border and edge.
constexpr FrameMetrics kMetrics{4, 4, 2};

TEST(PaneLayout, TheLeftColumnIsTheFormWidthWithASizingBorderOnEitherSide) {
    const auto columns = MainColumns(1000, {300, 200}, kMetrics);
    EXPECT_EQ(columns[0].ideal, 308);
    EXPECT_EQ(columns[0].minimum, 0);
    EXPECT_EQ(columns[1].ideal, 692);
    EXPECT_EQ(columns[1].minimum, 20);
    // Laid out over the splitter's inside: the column gets exactly that width.
    EXPECT_EQ(Lay({columns.begin(), columns.end()}, 998, 1)[0].size, 308);
}

TEST(PaneLayout, BeforeAnyFormTheLeftColumnIsEmptyAndTheFormRowHidden) {
    const auto columns = MainColumns(1000, {0, 0}, kMetrics);
    EXPECT_EQ(columns[0].ideal, 0);
    const auto spans = Lay({columns.begin(), columns.end()}, 998, 1);
    EXPECT_EQ(spans[0].size, 0);
    EXPECT_EQ(spans[1].size, 996);

    // The form row asks for the two sizing borders only, which is less than its minimum.
    const auto rows = FormRows(600, {0, 0}, kMetrics);
    EXPECT_EQ(rows[1].ideal, 8);
    EXPECT_EQ(Sizes(Lay({rows.begin(), rows.end()}, 600)), (std::vector<int>{600, 0}));
}

TEST(PaneLayout, TheFormRowNeedsItsMinimumAndTheBar) {
    // With the rows laid over the view's own height, a form row of 22 (20 and the bar) is shown,
    // one of 21 is not.
    const FrameMetrics metrics{0, 0, 2};
    auto rows = FormRows(600, {0, 22}, metrics);
    EXPECT_EQ(Sizes(Lay({rows.begin(), rows.end()}, 600)), (std::vector<int>{578, 20}));
    rows = FormRows(600, {0, 21}, metrics);
    EXPECT_EQ(Sizes(Lay({rows.begin(), rows.end()}, 600)), (std::vector<int>{600, 0}));
}

TEST(PaneLayout, ANarrowWindowHidesTheLeftColumnAndALowOneTheFormRow) {
    const auto columns = MainColumns(300, {300, 200}, kMetrics); // 308 do not fit in 300
    EXPECT_EQ(columns[0].ideal, 0);
    EXPECT_EQ(columns[1].ideal, 300);
    EXPECT_EQ(Sizes(Lay({columns.begin(), columns.end()}, 298, 1)), (std::vector<int>{0, 296}));

    const auto rows = FormRows(150, {300, 200}, kMetrics); // 208 do not fit in 150
    EXPECT_EQ(rows[0].ideal, 150);
    EXPECT_EQ(rows[1].ideal, 0);
    EXPECT_EQ(Sizes(Lay({rows.begin(), rows.end()}, 150)), (std::vector<int>{150, 0}));
}

TEST(PaneLayout, ATallerFormTakesRowsFromTheTreeAndGivesThemBack) {
    // The inner splitter lies an edge beyond the view on every side, inside it a 1-pixel border.
    const int height = 600;
    const PaneRect splitter = InnerSplitterRect(330, height, kMetrics);
    EXPECT_EQ(splitter, (PaneRect{-2, -2, 334, 604}));
    const int inside = splitter.height - 2 * kSplitterBorder;

    auto rows = FormRows(height, {300, 150}, kMetrics);
    const auto simple = Sizes(Lay({rows.begin(), rows.end()}, inside));
    rows = FormRows(height, {300, 250}, kMetrics);
    const auto advanced = Sizes(Lay({rows.begin(), rows.end()}, inside));
    EXPECT_EQ(simple[1], 158);
    EXPECT_EQ(advanced[1], 258);
    EXPECT_EQ(simple[0] - advanced[0], 100);
    EXPECT_EQ(simple[0] + simple[1], advanced[0] + advanced[1]);
    // Negative sizes never come out of the rules.
    rows = FormRows(0, {300, 250}, kMetrics);
    EXPECT_EQ(rows[1].ideal, 0);
}

} // namespace
} // namespace vk
