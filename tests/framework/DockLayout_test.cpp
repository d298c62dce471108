// Where a docked bar lies and which side a bar let go docks on.
#include "framework/DockLayout.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(DockLayout, ADockedBarSpansItsSideAndThePanesGetTheRest) {
    const PixelRect area{0, 0, 800, 500};
    struct Case {
        DockSide side;
        int thickness;
        PixelRect bar, rest;
    };
    const Case cases[] = {
        {DockSide::Top, 26, {0, 0, 800, 26}, {0, 26, 800, 500}},
        {DockSide::Bottom, 26, {0, 474, 800, 500}, {0, 0, 800, 474}},
        {DockSide::Left, 30, {0, 0, 30, 500}, {30, 0, 800, 500}},
        {DockSide::Right, 30, {770, 0, 800, 500}, {0, 0, 770, 500}},
        {DockSide::Left, 900, {0, 0, 800, 500}, {800, 0, 800, 500}}, // too thick: nothing is left
    };
    for (const Case& c : cases) {
        const DockedLayout layout = LayOutDockedBar(area, c.side, c.thickness);
        EXPECT_EQ(layout.bar, c.bar) << static_cast<int>(c.side);
        EXPECT_EQ(layout.rest, c.rest) << static_cast<int>(c.side);
    }
}

TEST(DockLayout, ABarLetGoNearASideDocksThereAndElsewhereFloats) {
    const PixelRect area{100, 100, 900, 600};
    struct Case {
        int x, y;
        std::optional<DockSide> side;
    };
    const Case cases[] = {
        {400, 110, DockSide::Top},    {400, 80, DockSide::Top}, // just inside, or just above
        {400, 590, DockSide::Bottom}, {105, 300, DockSide::Left},
        {920, 300, DockSide::Right},  {110, 102, DockSide::Top}, // a corner: the nearer side
        {400, 300, std::nullopt},     {400, 40, std::nullopt},   // the middle, or far above
        {50, 700, std::nullopt},                                 // beyond a corner
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DockSideAt(area, c.x, c.y), c.side) << c.x << "," << c.y;
    }
}

} // namespace
} // namespace vk
