#include "engine/HelperGauge.h"

#include <gtest/gtest.h>

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

// Folders walked one after another, each with one listing of the given time and the walker's
// given time at it; what the gauge lets work after them.
int ActiveAfter(HelperGauge& gauge, int folders, std::chrono::microseconds listing, std::chrono::microseconds walker) {
    for (int i = 0; i < folders; ++i) {
        gauge.Listing(listing);
        gauge.WalkerFinishedFolder(walker);
    }
    return gauge.Active();
}

TEST(HelperGauge, HelpersWorkWhereTheyPayOffAndRestWhereAHandOverCostsMore) {
    struct Step {
        const char* what;
        int folders;
        std::chrono::microseconds listing;
        std::chrono::microseconds walker;
        int active; // afterwards
    };
    // One walk through changing ground, with 8 helpers.
    const Step kSteps[] = {
        {"a walker with much to hand over keeps all", 200, 20us, 30us, 8},
        {"a walker with little to hand over lists for itself", 80, 20us, 2us, 0},
        {"and goes on so", 500, 20us, 2us, 0},
        {"a listing that waits sets one to work", 1, 2ms, 2us, 1},
        {"and more while listings wait", 3, 2ms, 2us, 8},
        {"quick listings after a waiting one shrink them only after a while", 7, 20us, 0us, 8},
        {"then down to none again", 64, 20us, 0us, 0},
        {"hits to hand over bring them back", 64, 20us, 30us, 8},
    };
    HelperGauge gauge(8);
    for (const Step& step : kSteps) {
        EXPECT_EQ(ActiveAfter(gauge, step.folders, step.listing, step.walker), step.active) << step.what;
    }
}

} // namespace
} // namespace vk::testing
