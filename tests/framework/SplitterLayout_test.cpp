// The splitter's rule for a row or column of panes, and where its panes and bars lie.
#include "framework/SplitterLayout.h"
#include "support/LaidOutPanes.h"

#include <gtest/gtest.h>

#include <vector>

namespace vk {
namespace {

using testing::Lay;
using testing::Sizes;

TEST(SplitterLayout, PanesTakeTheirIdealSizesTheLastTheRestWithABarBetween) {
    EXPECT_EQ(Lay({{100, 0}, {0, 20}}, 500, 1),
              (std::vector<PaneSpan>{{1, 100, true}, {103, 398, false}})); // 100 + bar + 398 = 500
    EXPECT_EQ(Sizes(Lay({{100, 0}, {50, 0}, {0, 0}}, 300)), (std::vector<int>{100, 50, 146}));
    EXPECT_EQ(Sizes(Lay({{0, 0}}, 300)), (std::vector<int>{300})); // a single pane fills it
}

TEST(SplitterLayout, AnIdealBelowTheMinimumHidesThePaneButKeepsItsBar) {
    const auto spans = Lay({{15, 20}, {0, 0}}, 200);
    EXPECT_EQ(spans, (std::vector<PaneSpan>{{0, 0, true}, {2, 198, false}}));
    // An ideal of 0 is the same: the bar stays where the user can drag it out again.
    EXPECT_EQ(Lay({{0, 0}, {0, 20}}, 200), (std::vector<PaneSpan>{{0, 0, true}, {2, 198, false}}));
}

TEST(SplitterLayout, APaneThatDoesNotFitWholeGetsWhatIsLeftAndTheRestAreHidden) {
    EXPECT_EQ(Lay({{300, 0}, {0, 20}}, 200), (std::vector<PaneSpan>{{0, 200, false}, {200, 0, false}}));
    EXPECT_EQ(Sizes(Lay({{50, 0}, {300, 0}, {0, 0}}, 200)), (std::vector<int>{50, 148, 0}));
}

TEST(SplitterLayout, APaneWithLessThanItsMinimumLeftIsHiddenAndThePaneBeforeTakesTheRestAndTheBar) {
    // 170 + bar leaves 18, below the minimum of 20: the first pane gets 170 + 18 + 2.
    EXPECT_EQ(Lay({{170, 0}, {0, 20}}, 190), (std::vector<PaneSpan>{{0, 190, false}, {190, 0, false}}));
    // 20 left is enough.
    EXPECT_EQ(Sizes(Lay({{168, 0}, {0, 20}}, 190)), (std::vector<int>{168, 20}));
    // The middle of three panes: the first takes its room, the last is never reached.
    EXPECT_EQ(Sizes(Lay({{100, 0}, {50, 60}, {0, 0}}, 150)), (std::vector<int>{150, 0, 0}));
}

TEST(SplitterLayout, WithNoRoomForABarTheRestGoesToThePaneBeforeIt) {
    EXPECT_EQ(Lay({{98, 0}, {0, 0}}, 100), (std::vector<PaneSpan>{{0, 100, false}, {100, 0, false}}));
    EXPECT_EQ(Lay({{97, 0}, {0, 0}}, 100), (std::vector<PaneSpan>{{0, 97, true}, {99, 1, false}}));
}

TEST(SplitterLayout, NoRoomHidesEveryPane) {
    for (const int space : {0, -5}) {
        EXPECT_EQ(Sizes(Lay({{100, 0}, {0, 20}}, space)), (std::vector<int>{0, 0}));
    }
    EXPECT_TRUE(Lay({}, 100).empty());
}

TEST(SplitterLayout, BarsAreHitWhereTheyAreShown) {
    const auto spans = Lay({{100, 0}, {0, 20}}, 500, 1);
    EXPECT_EQ(BarAt(spans, 100), -1);
    EXPECT_EQ(BarAt(spans, 101), 0);
    EXPECT_EQ(BarAt(spans, 102), 0);
    EXPECT_EQ(BarAt(spans, 103), -1);
    EXPECT_EQ(BarAt(Lay({{170, 0}, {0, 20}}, 190), 171), -1); // the hidden pane took its bar away
}

TEST(SplitterLayout, PanesWithAnEdgeAreEnlargedAndHiddenPanesGetNoRoom) {
    const PaneSpan column{10, 100, true};
    const PaneSpan row{1, 50, false};
    EXPECT_EQ(PaneWindowRect(column, row, false), (PaneRect{10, 1, 100, 50}));
    EXPECT_EQ(PaneWindowRect(column, row, true), (PaneRect{9, 0, 102, 52}));
    EXPECT_TRUE(PaneWindowRect({10, 0, true}, row, true).Empty());
    EXPECT_EQ(PaneWindowRect({10, 0, true}, row, true), (PaneRect{10, 1, 0, 0}));
}

} // namespace
} // namespace vk
