// The tip of the day's state: the start-up choice, the position that moves on by one tip with
// every object, and the time stamp that starts a replaced tips file again from its first tip.
#include "shell/TipOfTheDay.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace vk {
namespace {

class TipOfTheDayTest : public ::testing::Test {
protected:
    TipOfTheDayTest() { tree_.MakeFile("Tips.tip", "; Tips\nFirst\n\nSecond\nThird\n"); }

    [[nodiscard]] std::filesystem::path Tips() const { return tree_.PathOf("Tips.tip"); }

    // The tip that one object shows, the way start-up makes and ends one.
    std::wstring OneTip() {
        TipOfTheDay tips(profile_, Tips(), stamp_);
        return tips.Tip();
    }

    int FilePos() const { return profile_.GetInt(kSectionTip, kKeyFilePos, -99); }

    test::TempTree tree_;
    MemoryProfile profile_;
    std::wstring created_ = L"Tue Dec  8 10:00:00 2026";
    FileTimeStampReader stamp_ = [this](const std::filesystem::path&) { return std::optional(created_); };
};

TEST_F(TipOfTheDayTest, EveryObjectMovesOnByOneTipAndAfterTheLastStartsAgain) {
    EXPECT_EQ(OneTip(), L"First\n");
    EXPECT_EQ(FilePos(), 13);
    EXPECT_EQ(OneTip(), L"Second\n");
    EXPECT_EQ(OneTip(), L"Third\n");
    EXPECT_EQ(OneTip(), L"First\n");
}

TEST_F(TipOfTheDayTest, NextTipReadsOnAndThePositionSavedIsAfterTheLastTipRead) {
    {
        TipOfTheDay tips(profile_, Tips(), stamp_);
        tips.NextTip();
        EXPECT_EQ(tips.Tip(), L"Second\n");
    }
    EXPECT_EQ(OneTip(), L"Third\n");
}

TEST_F(TipOfTheDayTest, TheStartUpChoiceIsReadAndWritten) {
    {
        TipOfTheDay tips(profile_, Tips(), stamp_);
        EXPECT_TRUE(tips.StartUp()); // missing: offered
        tips.SetStartUp(false);
        EXPECT_FALSE(tips.StartUp());
    }
    EXPECT_EQ(profile_.GetInt(kSectionTip, kKeyStartUp, -1), 1);
    profile_.WriteInt(kSectionTip, kKeyStartUp, 7);
    {
        TipOfTheDay tips(profile_, Tips(), stamp_);
        EXPECT_FALSE(tips.StartUp()); // any value but 0: not offered
        tips.SetStartUp(true);
    }
    EXPECT_EQ(profile_.GetInt(kSectionTip, kKeyStartUp, -1), 0);
}

TEST_F(TipOfTheDayTest, AReplacedFileStartsAgainFromItsFirstTipAndAnEditedOneDoesNot) {
    EXPECT_EQ(OneTip(), L"First\n");
    EXPECT_EQ(profile_.GetText(kSectionTip, kKeyTimeStamp, L""), created_);
    EXPECT_EQ(OneTip(), L"Second\n");
    // Edited in place: same creation time, the position holds.
    tree_.MakeFile("Tips.tip", "; Tips\nFirst\n\nSecond\nThird, edited\n");
    EXPECT_EQ(OneTip(), L"Third, edited\n");
    // Replaced: a new creation time, back to the first tip.
    created_ = L"Wed Dec  9 10:00:00 2026";
    EXPECT_EQ(OneTip(), L"First\n");
    EXPECT_EQ(profile_.GetText(kSectionTip, kKeyTimeStamp, L""), created_);
    EXPECT_EQ(OneTip(), L"Second\n");
}

TEST_F(TipOfTheDayTest, AMissingFileOrOneWithoutTipsGivesNothingToShowAndLeavesTheProfileAlone) {
    for (const std::string_view bytes : {"", "; only a comment\n\n  \n\t\n"}) {
        tree_.MakeFile("Tips.tip", bytes);
        for (const auto& path : {Tips(), tree_.PathOf("missing.tip")}) {
            TipOfTheDay tips(profile_, path, stamp_);
            EXPECT_FALSE(tips.HasFile());
            EXPECT_TRUE(tips.Tip().empty());
            tips.NextTip();
            EXPECT_TRUE(tips.Tip().empty());
        }
    }
    EXPECT_FALSE(profile_.Has(kSectionTip, kKeyFilePos));
    EXPECT_FALSE(profile_.Has(kSectionTip, kKeyTimeStamp));
}

TEST_F(TipOfTheDayTest, ANegativePositionIsReportedAndTheTipsStartFromTheFirst) {
    OneTip(); // sets the time stamp
    profile_.WriteInt(kSectionTip, kKeyFilePos, -5);
    {
        TipOfTheDay tips(profile_, Tips(), stamp_);
        EXPECT_TRUE(tips.TakeTrouble());
        EXPECT_FALSE(tips.TakeTrouble());
        EXPECT_EQ(tips.Tip(), L"First\n");
    }
    EXPECT_EQ(FilePos(), 13);
}

TEST_F(TipOfTheDayTest, APositionPastTheEndGivesTheFirstTip) {
    OneTip();
    profile_.WriteInt(kSectionTip, kKeyFilePos, INT_MAX);
    TipOfTheDay tips(profile_, Tips(), stamp_);
    EXPECT_FALSE(tips.TakeTrouble());
    EXPECT_EQ(tips.Tip(), L"First\n");
}

TEST(FileCreationTimeStamp, IsTheTimeTextOfARealFile) {
    test::TempTree tree;
    tree.MakeFile("Tips.tip", "Tip\n");
    const auto stamp = FileCreationTimeStamp(tree.PathOf("Tips.tip"));
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->size(), 24u) << std::string(stamp->begin(), stamp->end());
    EXPECT_EQ((*stamp)[13], L':');
    EXPECT_FALSE(FileCreationTimeStamp(tree.PathOf("missing.tip")).has_value());
}

// Random files and saved positions, one object after another: each one ends, and none shows
// anything but a tip line of the file.
TEST(TipOfTheDayRandom, AnyFileAndAnySavedPositionEndWithATipOrNothing) {
    test::TempTree tree;
    MemoryProfile profile;
    std::mt19937 random(8122026);
    const std::string alphabet = "xy \t\n\r;";
    const int positions[] = {INT_MIN, -1, 0, 1, 2, 5, 40, INT_MAX};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(std::uniform_int_distribution<std::size_t>(0, 40)(random), 'x');
        for (char& c : bytes) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        }
        const std::string name = "Tips" + std::to_string(round) + ".tip"; // new files are cheaper than rewritten ones
        tree.MakeFile(name, bytes);
        profile.WriteInt(kSectionTip, kKeyFilePos, positions[round % std::size(positions)]);
        TipOfTheDay tips(profile, tree.PathOf(name), FileCreationTimeStamp);
        tips.NextTip();
        ASSERT_TRUE(tips.Tip().empty() || IsTipLine(tips.Tip())) << bytes;
        ASSERT_EQ(tips.HasFile(), !tips.Tip().empty()) << bytes;
    }
}

} // namespace
} // namespace vk
