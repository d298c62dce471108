// The tips file reader: which lines are tips, in which order, in which pieces, from which
// position, and that every file — one without a single tip included — gives an answer.
#include "shell/TipsFile.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vk {
namespace {

class TipsFileTest : public ::testing::Test {
protected:
    // Opens a new file of the given bytes. (A new file each time: rewriting one costs a flush to
    // the disk on some file systems.)
    void Write(std::string_view bytes) {
        const std::string name = "Tips" + std::to_string(++files_) + ".tip";
        tree_.MakeFile(name, bytes);
        ASSERT_TRUE(file_.Open(tree_.PathOf(name)));
    }

    // The next n tips, or what ended the reading.
    std::vector<std::wstring> Next(int n) {
        std::vector<std::wstring> tips;
        for (int i = 0; i < n; ++i) {
            std::wstring tip;
            const TipRead read = file_.ReadNextTip(tip);
            if (read != TipRead::kTip) {
                tips.push_back(read == TipRead::kNoTip ? L"<no tip>" : L"<rewind failed>");
                break;
            }
            tips.push_back(tip);
        }
        return tips;
    }

    test::TempTree tree_;
    TipsFile file_;
    int files_ = 0;
};

TEST_F(TipsFileTest, TipsComeInFileOrderAndStartAgainAfterTheLast) {
    Write("First\nSecond\nThird\n");
    EXPECT_EQ(Next(5), (std::vector<std::wstring>{L"First\n", L"Second\n", L"Third\n", L"First\n", L"Second\n"}));
}

TEST_F(TipsFileTest, CommentsEmptyLinesAndIndentedLinesAreNeverTips) {
    Write("; a comment\n\nFirst\n  indented\n\ttabbed\n;another\n\n\nSecond");
    // The last line has no line feed, and keeps none.
    EXPECT_EQ(Next(3), (std::vector<std::wstring>{L"First\n", L"Second", L"First\n"}));
    // Nor is an end-of-file mark after the last line a tip of its own.
    Write("First\r\nSecond\r\n\x1A");
    EXPECT_EQ(Next(3), (std::vector<std::wstring>{L"First\n", L"Second\n", L"First\n"}));
}

TEST_F(TipsFileTest, CarriageReturnsBeforeLineFeedsAreDroppedAndPositionsCountBytes) {
    Write("One\r\nTwo\rhalf\r\n\r\nThree\r\n");
    EXPECT_EQ(Next(3), (std::vector<std::wstring>{L"One\n", L"Two\rhalf\n", L"Three\n"}));
    EXPECT_EQ(file_.Position(), 24); // right after the last line's line feed
}

TEST_F(TipsFileTest, EachByteBecomesTheCharacterOfTheSameCode) {
    Write("Caf\xE9 \xFF\n");
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"Caf\u00E9 \u00FF\n"}));
}

TEST_F(TipsFileTest, LongLinesAreReadInPiecesOf999Characters) {
    // 999 'a', then a piece that starts with a space (not a tip), then the rest of the line.
    std::string line(999, 'a');
    line += ' ';
    line += std::string(998, 'b');
    line += "cd\r\n";
    Write(line + "Next\n");
    const auto tips = Next(3);
    ASSERT_EQ(tips.size(), 3u);
    EXPECT_EQ(tips[0], std::wstring(999, L'a'));
    EXPECT_EQ(tips[1], L"cd\n"); // " b…b" is a piece of 999 that starts with a space
    EXPECT_EQ(tips[2], L"Next\n");
}

TEST_F(TipsFileTest, APositionInsideALineGivesTheRestOfThatLine) {
    Write("First tip\nSecond tip\n; comment\n");
    ASSERT_TRUE(file_.Seek(6));
    EXPECT_EQ(Next(2), (std::vector<std::wstring>{L"tip\n", L"Second tip\n"}));
    // The rest of a line that starts with a space is not a tip.
    ASSERT_TRUE(file_.Seek(5));
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"Second tip\n"}));
    // Nor is the rest of a comment that starts with one.
    ASSERT_TRUE(file_.Seek(22));
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"First tip\n"}));
}

TEST_F(TipsFileTest, APositionPastTheEndGivesTheFirstTipAndANegativeOneIsRefused) {
    Write("First\nSecond\n");
    ASSERT_TRUE(file_.Seek(1000));
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"First\n"}));
    EXPECT_FALSE(file_.Seek(-1));
    EXPECT_EQ(file_.Position(), 6); // unmoved
}

TEST_F(TipsFileTest, AFileWithoutATipLineEndsTheReadingInsteadOfGoingRoundForEver) {
    for (const std::string_view bytes : {"", "\n", "; only\n; comments\n", "  \n\t\n\n\r\n", " a\n;b"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(bytes)));
        Write(bytes);
        EXPECT_FALSE(file_.HoldsTip());
        for (const std::int64_t start : {std::int64_t{0}, static_cast<std::int64_t>(bytes.size()), std::int64_t{100}}) {
            ASSERT_TRUE(file_.Seek(start));
            EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"<no tip>"}));
        }
    }
}

TEST_F(TipsFileTest, AFileOfAnyNameOpens) {
    tree_.MakeFile("Tipps f\xC3\xBCr \xE2\x82\xAC.tip", "Tip\n"); // "Tipps für €.tip"
    ASSERT_TRUE(file_.Open(tree_.PathOf("Tipps f\xC3\xBCr \xE2\x82\xAC.tip")));
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"Tip\n"}));
}

TEST_F(TipsFileTest, AMissingFileDoesNotOpenAndGivesNoTip) {
    EXPECT_FALSE(file_.Open(tree_.PathOf("missing.tip")));
    EXPECT_FALSE(file_.IsOpen());
    EXPECT_EQ(Next(1), (std::vector<std::wstring>{L"<no tip>"}));
    EXPECT_EQ(file_.Position(), -1);
}

// Random files of the characters that matter, read from random positions: every read ends, and
// what it gives is a tip of the file or the word that the file holds none.
TEST_F(TipsFileTest, RandomFilesFromRandomPositionsAlwaysGiveAnAnswer) {
    std::mt19937 random(20261208);
    const std::string alphabet = "ab \t\n\r;\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(std::uniform_int_distribution<std::size_t>(0, round % 10 == 0 ? 2500 : 60)(random), 'a');
        for (char& c : bytes) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        }
        Write(bytes);
        const bool holdsTip = file_.HoldsTip();
        const auto start =
            std::uniform_int_distribution<std::int64_t>(-3, static_cast<std::int64_t>(bytes.size()) + 3)(random);
        if (!file_.Seek(start)) {
            ASSERT_LT(start, 0);
            ASSERT_TRUE(file_.Seek(0));
        }
        for (int read = 0; read < 4; ++read) {
            std::wstring tip;
            const TipRead result = file_.ReadNextTip(tip);
            ASSERT_NE(result, TipRead::kRewindFailed);
            if (result == TipRead::kNoTip) {
                ASSERT_FALSE(holdsTip) << bytes;
                break;
            }
            ASSERT_TRUE(IsTipLine(tip)) << bytes;
            ASSERT_LE(tip.size(), kTipPieceLength);
            const auto lineFeed = tip.find(L'\n');
            ASSERT_TRUE(lineFeed == std::wstring::npos || lineFeed == tip.size() - 1);
            ASSERT_LE(file_.Position(), static_cast<std::int64_t>(bytes.size()));
        }
    }
}

std::tm Time(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_wday = weekday;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(TimeStampText, HasTheFixedWidthFormWithADayOfTwoCharacters) {
    EXPECT_EQ(TimeStampText(Time(1980, 1, 2, 3, 2, 3, 55)), L"Wed Jan  2 02:03:55 1980");
    EXPECT_EQ(TimeStampText(Time(2026, 12, 31, 4, 23, 59, 9)), L"Thu Dec 31 23:59:09 2026");
}

} // namespace
} // namespace vk
