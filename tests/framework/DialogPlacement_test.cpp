// Where a dialog opens: over the middle of its owner, never off the owner's screen.
#include "framework/DialogPlacement.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(DialogPlacement, CentredOverTheOwnerAndKeptInsideTheWorkArea) {
    const PixelRect work{0, 0, 1280, 760};
    struct Case {
        const char* what;
        PixelRect owner;
        int width, height;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"a maximized owner", {0, 0, 1280, 760}, 300, 200, {490, 280}},
        {"a small owner in the middle", {400, 300, 800, 600}, 200, 100, {500, 400}},
        {"an owner hanging off the left and top", {-300, -200, 100, 100}, 200, 200, {0, 0}},
        {"an owner near the right and bottom", {1100, 600, 1400, 900}, 300, 200, {980, 560}},
        {"a dialog larger than its owner", {500, 300, 600, 400}, 400, 300, {350, 200}},
        {"a dialog larger than the screen", {0, 0, 1280, 760}, 1500, 900, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CentredDialogOrigin(c.width, c.height, &c.owner, work), c.expected) << c.what;
    }
    // No owner to centre on: the middle of the work area (here one that does not start at 0).
    EXPECT_EQ(CentredDialogOrigin(200, 100, nullptr, {1280, 40, 2560, 1040}), (ScreenPoint{1820, 490}));
}

} // namespace
} // namespace vk
