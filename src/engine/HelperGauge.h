#pragma once
// How many of a search's read-ahead helpers may work at once (see ReadAheadPool).
//
// A listing that takes kWaitingListing or longer waited for its answer, a network's or a disk's:
// more helpers then wait side by side, and each such listing doubles the helpers at work (from
// none to one), up to all. A quicker listing was work on a processor. While listings answer at
// once, helpers that list ahead pay off only where the walker has work of its own to do
// meanwhile: a listing done ahead saves the walker at most its own time at the folder (handing
// over the hits), and each costs a hand-over between threads, some kHandOver. So the gauge adds up
// the walkers' time at their folders and weighs it every kFoldersJudged folders they finish: when
// they took less than kHandOver a folder, and the last kQuickListingsToShrink listings all
// answered at once, it halves the helpers at work, down to none (the walkers then list for
// themselves, with no hand-over); otherwise it doubles them, up to all.
//
// Not thread-safe: the pool calls it under its lock.

#include <algorithm>
#include <chrono>

namespace vk {

constexpr std::chrono::microseconds kWaitingListing{1000};
constexpr int kQuickListingsToShrink = 8;
constexpr int kFoldersJudged = 16;
constexpr std::chrono::microseconds kHandOver{3};

class HelperGauge {
public:
    using Duration = std::chrono::steady_clock::duration;

    // helpers: how many the pool has; all may work at first.
    explicit HelperGauge(int helpers) : all_(helpers), active_(helpers) {}

    [[nodiscard]] int Active() const { return active_; }

    // A listing (or share list) took took. Returns how many more helpers may work now.
    int Listing(Duration took) {
        if (took < kWaitingListing) {
            ++quickListings_;
            return 0;
        }
        quickListings_ = 0;
        return Grow();
    }

    // A walker spent took at a folder, between its listing and its subfolders. Returns how many
    // more helpers may work now.
    int WalkerFinishedFolder(Duration took) {
        walkerTime_ += took;
        if (++foldersJudged_ < kFoldersJudged) {
            return 0;
        }
        foldersJudged_ = 0;
        const bool helpersPayOff = walkerTime_ >= kFoldersJudged * kHandOver;
        walkerTime_ = {};
        if (helpersPayOff) {
            return Grow();
        }
        if (quickListings_ >= kQuickListingsToShrink) {
            active_ /= 2;
        }
        return 0;
    }

private:
    int Grow() {
        const int before = active_;
        active_ = std::min(all_, std::max(1, 2 * active_));
        return active_ - before;
    }

    int all_;
    int active_;
    int quickListings_ = 0; // in a row
    int foldersJudged_ = 0; // since the helpers were last weighed
    Duration walkerTime_{}; // in this round
};

} // namespace vk
