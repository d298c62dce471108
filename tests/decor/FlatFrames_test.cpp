// The flat look's frames by kind and state, the rule that spares a repeated deep frame, and the
// geometry of check boxes, scroll bars and up-down buttons.
#include "decor/FlatFrames.h"
#include "decor/FlatGeometry.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using C = SysColour;

TEST(FlatFrames, GenericInnerRingByState) {
    const Ring outer{C::Shadow, C::Highlight};
    EXPECT_EQ(GenericFrame(0, false), (Frame{outer, {C::Light, C::Light}}));
    EXPECT_EQ(GenericFrame(flat::kSmall, false), (Frame{outer, {C::Highlight, C::Light}}));
    EXPECT_EQ(GenericFrame(flat::kHover, false), (Frame{outer, {C::DarkShadow, C::Light}}));
    EXPECT_EQ(GenericFrame(flat::kFocus | flat::kSmall, false), (Frame{outer, {C::DarkShadow, C::Light}}));
    EXPECT_EQ(GenericFrame(flat::kSmall, true), (Frame{outer, {C::Face, C::Face}})) << "disabled";
    EXPECT_EQ(GenericFrame(flat::kReadOnly, false), (Frame{outer, {C::Face, C::Face}}));
    EXPECT_EQ(GenericFrame(flat::kReadOnly | flat::kHover, false), (Frame{outer, {C::DarkShadow, C::Light}}));
}

TEST(FlatFrames, ADeepFrameIsNotDrawnAgainWhileItStaysDeep) {
    EXPECT_TRUE(ShouldDrawFrame(0, 0));
    EXPECT_TRUE(ShouldDrawFrame(flat::kHover, 0));
    EXPECT_FALSE(ShouldDrawFrame(flat::kHover, flat::kHover));
    EXPECT_FALSE(ShouldDrawFrame(flat::kFocus | flat::kSmall, flat::kFocus));
    EXPECT_TRUE(ShouldDrawFrame(0, flat::kHover)) << "losing the hover draws the shallow frame";
    EXPECT_TRUE(ShouldDrawFrame(flat::kFocus, flat::kHover));
    EXPECT_TRUE(ShouldDrawFrame(flat::kSmall, flat::kSmall));
}

TEST(FlatFrames, PushButtonTable) {
    EXPECT_EQ(PushButtonFrame(false, false, false),
              (Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}, {C::Face, C::Face}}));
    EXPECT_EQ(PushButtonFrame(true, false, false),
              (Frame{{C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}, {C::Face, C::Face}}));
    EXPECT_EQ(PushButtonFrame(false, true, false),
              (Frame{{C::DarkShadow, C::DarkShadow}, {C::Highlight, C::Shadow}, {C::Face, C::Face}}));
    EXPECT_EQ(PushButtonFrame(true, true, false),
              (Frame{{C::DarkShadow, C::DarkShadow}, {C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}}));
    EXPECT_EQ(PushButtonFrame(false, true, true), (Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}}))
        << "pressed wins over default";
    EXPECT_EQ(PushButtonFrame(true, false, true), (Frame{{C::DarkShadow, C::Highlight}, {C::Shadow, C::Light}}));
}

TEST(FlatFrames, CheckBoxesButtonPartsAndItems) {
    EXPECT_EQ(CheckBoxFrame(true, false, false), (Frame{{C::DarkShadow, C::Highlight}, {C::Shadow, C::Face}}));
    EXPECT_EQ(CheckBoxFrame(false, false, false), (Frame{{C::Shadow, C::Highlight}, {C::Window, C::Window}}));
    EXPECT_EQ(CheckBoxFrame(false, false, true), (Frame{{C::Shadow, C::Highlight}, {C::Highlight, C::Highlight}}));
    EXPECT_EQ(CheckBoxFrame(false, true, true), (Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}}));

    EXPECT_EQ(ButtonPartFrame(true, false), (Frame{{C::Face, C::DarkShadow}, {C::Highlight, C::Shadow}}));
    EXPECT_EQ(ButtonPartFrame(false, false), (Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}}));
    EXPECT_EQ(ButtonPartFrame(true, true), (Frame{{C::Face, C::Face}, {C::Face, C::Face}}));

    EXPECT_EQ(HeaderItemFrame(true), (Frame{{C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}}));
    EXPECT_EQ(HeaderItemFrame(false), (Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}}));
    EXPECT_EQ(ToolbarButtonFrame(true, true), (Frame{{C::DarkShadow, C::Highlight}, {C::Shadow, C::Shadow}}));
    EXPECT_EQ(ToolbarButtonFrame(true, false), (Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}}));
    EXPECT_EQ(ToolbarButtonFrame(false, true), HeaderItemFrame(true));
    EXPECT_EQ(TrackBarChannelFrame(false), (Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}}));
    EXPECT_EQ(TrackBarChannelFrame(true), (Frame{{C::Shadow, C::Highlight}, {C::DarkShadow, C::Light}}));
}

TEST(FlatGeometry, CheckBoxBoxFollowsTheAlignment) {
    EXPECT_EQ(CheckBoxBox(100, 20, BoxAlign::Centre, false), (DecorRect{0, 3, 13, 16}));
    EXPECT_EQ(CheckBoxBox(100, 20, BoxAlign::Top, false), (DecorRect{0, 1, 13, 14}));
    EXPECT_EQ(CheckBoxBox(100, 20, BoxAlign::Bottom, false), (DecorRect{0, 5, 13, 18}));
    EXPECT_EQ(CheckBoxBox(100, 20, BoxAlign::Centre, true), (DecorRect{87, 3, 100, 16})) << "text on the left";
}

TEST(FlatGeometry, ScrollBarArrowsAndThumb) {
    // 200 pixels, 16-pixel arrows, positions 0..99 with a page of 10: a track of 168.
    const ScrollParts parts = LayOutScrollBar(200, 16, {0, 99, 10, 0});
    EXPECT_EQ(parts.arrowLength, 16);
    ASSERT_TRUE(parts.thumb);
    EXPECT_EQ(*parts.thumb, (std::pair{16, 16 + 16})) << "168 * 10 / 100";
    const ScrollParts end = LayOutScrollBar(200, 16, {0, 99, 10, 90});
    ASSERT_TRUE(end.thumb);
    EXPECT_EQ(end.thumb->second, 200 - 16) << "the last position puts the thumb against the lower arrow";
    const ScrollParts middle = LayOutScrollBar(200, 16, {0, 99, 10, 45});
    EXPECT_EQ(middle.thumb->first, 16 + 76);

    // A huge range keeps the thumb at its minimum of 8 pixels.
    const ScrollParts huge = LayOutScrollBar(200, 16, {0, 1000000, 1, 500000});
    ASSERT_TRUE(huge.thumb);
    EXPECT_EQ(huge.thumb->second - huge.thumb->first, 8);
    const ScrollParts old = LayOutScrollBar(200, 20, {0, 1000000, 1, 500000}, false);
    EXPECT_EQ(old.thumb->second - old.thumb->first, 10) << "half an arrow outside the NT family";

    // Shorter than two arrows: each arrow takes half the bar, and there is no thumb.
    const ScrollParts short_ = LayOutScrollBar(25, 16, {0, 99, 10, 0});
    EXPECT_EQ(short_.arrowLength, 12);
    EXPECT_FALSE(short_.thumb);
    EXPECT_FALSE(LayOutScrollBar(200, 16, {0, 9, 10, 0}).thumb) << "the page shows everything";
    EXPECT_FALSE(LayOutScrollBar(200, 16, {5, 4, 0, 0}).thumb) << "an empty range";
    EXPECT_FALSE(LayOutScrollBar(0, 16, {0, 99, 10, 0}).thumb);
    // Positions outside the range stay on the track.
    const ScrollParts beyond = LayOutScrollBar(200, 16, {0, 99, 10, 5000});
    EXPECT_EQ(beyond.thumb->second, 184);
    const ScrollParts extreme = LayOutScrollBar(200, 16, {INT32_MIN, INT32_MAX, 0, 0});
    ASSERT_TRUE(extreme.thumb);
    EXPECT_GE(extreme.thumb->first, 16);
    EXPECT_LE(extreme.thumb->second, 184);
}

TEST(FlatGeometry, UpDownButtonsGiveTheOddPixelToTheSecond) {
    const auto [up, down] = SplitButtons({0, 0, 16, 21}, false);
    EXPECT_EQ(up, (DecorRect{0, 0, 16, 10}));
    EXPECT_EQ(down, (DecorRect{0, 10, 16, 21}));
    const auto [left, right] = SplitButtons({4, 2, 35, 18}, true);
    EXPECT_EQ(left, (DecorRect{4, 2, 19, 18}));
    EXPECT_EQ(right, (DecorRect{19, 2, 35, 18}));
}

} // namespace
} // namespace vk
