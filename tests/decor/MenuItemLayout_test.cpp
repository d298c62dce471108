// The owner-drawn menu items' arithmetic: sizes from text extents, the split at the tab, where
// the parts go, and the colours by state.
#include "decor/MenuItemLayout.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(MenuItemLayout, TextSplitsAtItsFirstTab) {
    const MenuItemText save = SplitMenuText(L"Save result      \tCtrl+S");
    EXPECT_EQ(save.label, L"Save result      ");
    EXPECT_EQ(save.accelerator, L"Ctrl+S");

    EXPECT_EQ(SplitMenuText(L"E&xit").label, L"E&xit");
    EXPECT_EQ(SplitMenuText(L"E&xit").accelerator, L"");
    EXPECT_EQ(SplitMenuText(L"Tab at the end\t").accelerator, L"") << "nothing after the tab";
    EXPECT_EQ(SplitMenuText(L"a\tb\tc").accelerator, L"b\tc") << "only the first tab splits";
    EXPECT_EQ(SplitMenuText(L"").label, L"");
}

TEST(MenuItemLayout, TextIsReadWithAtMostAHundredCharacters) {
    const std::wstring longLabel(150, L'x');
    EXPECT_EQ(SplitMenuText(longLabel).label.size(), 100u);
    // A tab beyond the limit is never seen.
    EXPECT_EQ(SplitMenuText(std::wstring(100, L'y') + L"\tCtrl+Q").accelerator, L"");
}

TEST(MenuItemLayout, ItemSizeAddsTheIconColumnAndTheAcceleratorGap) {
    // Label only: its width plus 23; at least 20 high.
    EXPECT_EQ(MeasureMenuItem({50, 13}, std::nullopt, false), (MenuSize{73, 20}));
    // With an accelerator: both widths plus 30 between them, the taller text.
    EXPECT_EQ(MeasureMenuItem({50, 13}, MenuSize{40, 16}, false), (MenuSize{50 + 40 + 30 + 23, 20}));
    // A sub-menu's item leaves 20 pixels for the arrow.
    EXPECT_EQ(MeasureMenuItem({50, 13}, std::nullopt, true), (MenuSize{93, 20}));
}

TEST(MenuItemLayout, TallTextsMakeAnEvenHeightTwoPixelsTaller) {
    EXPECT_EQ(MeasureMenuItem({10, 18}, std::nullopt, false).height, 20);
    EXPECT_EQ(MeasureMenuItem({10, 19}, std::nullopt, false).height, 22) << "21 rounded up to even";
    EXPECT_EQ(MeasureMenuItem({10, 20}, std::nullopt, false).height, 22);
    EXPECT_EQ(MeasureMenuItem({10, 13}, MenuSize{10, 25}, false).height, 28) << "the accelerator is taller";
    EXPECT_EQ(kSeparatorSize, (MenuSize{26, 9}));
}

TEST(MenuItemLayout, PartsSitInTheIconColumnAndRightAlignedAccelerator) {
    const MenuItemGeometry item{150, 20};
    EXPECT_EQ(item.IconPosition(), (MenuPoint{3, 2}));
    EXPECT_EQ(item.IconFrame(), (DecorRect{1, 0, 21, 20}));
    EXPECT_EQ(item.HighlightBar(true), (DecorRect{21, 0, 150, 20}));
    EXPECT_EQ(item.HighlightBar(false), (DecorRect{0, 0, 150, 20}));
    EXPECT_EQ(item.LabelRect(), (DecorRect{24, 0, 150, 20}));
    EXPECT_EQ(item.AcceleratorRect(), (DecorRect{24, 0, 125, 20}));
    EXPECT_EQ(item.SeparatorLine(), (DecorRect{2, 3, 148, 4}));

    const MenuItemGeometry tall{150, 27};
    EXPECT_EQ(tall.IconPosition(), (MenuPoint{3, 5})) << "halving rounds down";
    EXPECT_EQ(tall.IconFrame(), (DecorRect{1, 3, 21, 23}));
    const MenuItemGeometry flat{150, 9};
    EXPECT_EQ(flat.IconFrame().top, -6) << "rounds down below zero too";
}

class MenuItemColours : public testing::Test {
protected:
    MenuColours colours{0x00C06000, 0x00F0F0F0, 0x00102030, 0x00808080};
    MenuItemDrawRequest Request(bool selected, bool disabled, bool hasImage) const {
        MenuItemDrawRequest request;
        request.drawEntire = true;
        request.selected = selected;
        request.disabled = disabled;
        request.hasImage = hasImage;
        request.entryLacksAnImage = hasImage;
        return request;
    }
};

TEST_F(MenuItemColours, HotItemGetsTheBarAndInvertedText) {
    const MenuItemPaint withIcon = PlanMenuItem(Request(true, false, true), colours);
    EXPECT_TRUE(withIcon.highlightBar);
    EXPECT_EQ(withIcon.highlightLeft, 21);
    EXPECT_EQ(withIcon.text, 0x00EFDFCFu) << "all 24 colour bits of the menu text inverted";
    EXPECT_TRUE(withIcon.raisedFrame);
    EXPECT_FALSE(withIcon.embossText);

    const MenuItemPaint plain = PlanMenuItem(Request(true, false, false), colours);
    EXPECT_EQ(plain.highlightLeft, 0) << "no icon: the bar starts at the left edge";
    EXPECT_FALSE(plain.raisedFrame) << "no icon, no frame";
}

TEST_F(MenuItemColours, OnlyADrawingOfTheWholeItemOrItsSelectionShowsTheBar) {
    MenuItemDrawRequest request = Request(true, false, true);
    request.drawEntire = false;
    EXPECT_FALSE(PlanMenuItem(request, colours).highlightBar);
    EXPECT_EQ(PlanMenuItem(request, colours).text, colours.menuText);
    request.drawSelect = true;
    EXPECT_TRUE(PlanMenuItem(request, colours).highlightBar);
}

TEST_F(MenuItemColours, DisabledItemsAreGreyAndEmbossedUnlessHot) {
    const MenuItemPaint cold = PlanMenuItem(Request(false, true, true), colours);
    EXPECT_FALSE(cold.highlightBar);
    EXPECT_EQ(cold.text, colours.grayText);
    EXPECT_TRUE(cold.embossText);
    EXPECT_TRUE(cold.embossImage);

    const MenuItemPaint hot = PlanMenuItem(Request(true, true, true), colours);
    EXPECT_TRUE(hot.highlightBar);
    EXPECT_EQ(hot.text, colours.grayText) << "grey on the bar";
    EXPECT_FALSE(hot.embossText);
    EXPECT_TRUE(hot.embossImage);
    EXPECT_FALSE(hot.raisedFrame) << "a disabled item's icon is never raised";

    const MenuItemPaint normal = PlanMenuItem(Request(false, false, true), colours);
    EXPECT_EQ(normal.text, colours.menuText);
    EXPECT_FALSE(normal.embossText || normal.embossImage || normal.raisedFrame || normal.highlightBar);
}

TEST_F(MenuItemColours, CheckedItemsGetNoRaisedFrameAndAMarkWhenTheyHaveNoImage) {
    MenuItemDrawRequest request = Request(true, false, true);
    request.checked = true;
    EXPECT_FALSE(PlanMenuItem(request, colours).raisedFrame);
    EXPECT_FALSE(PlanMenuItem(request, colours).checkMark) << "its checked image shows";
    request.hasImage = false;
    EXPECT_TRUE(PlanMenuItem(request, colours).checkMark);
    request.checked = false;
    EXPECT_FALSE(PlanMenuItem(request, colours).checkMark);
    // An entry with both images gets no frame.
    request = Request(true, false, true);
    request.entryLacksAnImage = false;
    EXPECT_FALSE(PlanMenuItem(request, colours).raisedFrame);
}

} // namespace
} // namespace vk
