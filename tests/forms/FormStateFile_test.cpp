// The form state file: its bytes for given histories, reading hand-edited and damaged files, the
// file itself in a folder, and a long run of random input through the reader.

#include "forms/FormStateFile.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vk {
namespace {

using Entries = std::vector<std::wstring>;
constexpr FormBlocks kSimple = FormBlocks::kFileMasks;
constexpr FormBlocks kAdvanced = FormBlocks::kFileAndShareMasks;

Entries Numbered(const wchar_t* stem, int count) {
    Entries entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(stem + std::to_wstring(i));
    }
    return entries;
}

TEST(FormStateFile, EachFormWritesItsBlocksAsCountedCrLfLines) {
    EXPECT_EQ(FormatFormState({{L"*.mp3", L"*.avi"}, {L"ignored"}}, kSimple), "2\r\n*.mp3\r\n*.avi\r\n");
    EXPECT_EQ(FormatFormState({{L"*.doc"}, {L"music", L"films"}}, kAdvanced), "1\r\n*.doc\r\n2\r\nmusic\r\nfilms\r\n");
    EXPECT_EQ(FormatFormState({}, kSimple), "0\r\n");
    EXPECT_EQ(FormatFormState({}, kAdvanced), "0\r\n0\r\n");
    // Entries are written as they are: blanks, separators, an empty entry.
    EXPECT_EQ(FormatFormState({{L" a b ;c", L""}, {}}, kSimple), "2\r\n a b ;c\r\n\r\n");
}

// The exclude history comes after the two older blocks, only when it has entries: a file without it
// reads with none, and the older blocks of a file with it are the bytes they always were.
TEST(FormStateFile, TheExcludeHistoryFollowsTheOlderBlocks) {
    const std::string older = "1\r\n*.doc\r\n2\r\nmusic\r\nfilms\r\n";
    const FormState state{{L"*.doc"}, {L"music", L"films"}, {L"*.bak", L"~snapshot"}};
    EXPECT_EQ(FormatFormState(state, kAdvanced), older + "2\r\n*.bak\r\n~snapshot\r\n");
    EXPECT_EQ(ParseFormState(FormatFormState(state, kAdvanced), kAdvanced), state);
    EXPECT_EQ(ParseFormState(older, kAdvanced), (FormState{{L"*.doc"}, {L"music", L"films"}, {}}));
    EXPECT_EQ(FormatFormState({{L"*.doc"}, {L"music", L"films"}, {}}, kAdvanced), older);
    EXPECT_EQ(FormatFormState(state, kSimple), "1\r\n*.doc\r\n");
    EXPECT_EQ(ParseFormState(FormatFormState(state, kAdvanced), kSimple), (FormState{{L"*.doc"}, {}, {}}));
}

TEST(FormStateFile, OnlyTheFirstTenEntriesOfEachHistoryAreWritten) {
    const FormState state{Numbered(L"f", 14), Numbered(L"s", 11)};
    const FormState read = ParseFormState(FormatFormState(state, kAdvanced), kAdvanced);
    EXPECT_EQ(read.fileMasks, Numbered(L"f", 10));
    EXPECT_EQ(read.shareMasks, Numbered(L"s", 10));
    EXPECT_EQ(FormatFormState(state, kSimple).substr(0, 4), "10\r\n");
}

TEST(FormStateFile, CharactersUpTo255AreOneByteEachBothWays) {
    std::wstring all;
    for (wchar_t c = 1; c <= 0xFF; ++c) {
        if (c != L'\n' && c != L'\r') {
            all += c;
        }
    }
    all += L'\0';
    all += L"\r."; // a carriage return inside an entry is kept
    const FormState state{{all, L"\x00E9t\x00E9.txt"}, {L"\x00FF"}};
    const std::string bytes = FormatFormState(state, kAdvanced);
    EXPECT_EQ(bytes.size(), 3 + all.size() + 2 + 7 + 2 + 3 + 1 + 2);
    EXPECT_NE(bytes.find("\xE9t\xE9.txt\r\n"), std::string::npos);
    EXPECT_EQ(ParseFormState(bytes, kAdvanced), state);
}

TEST(FormStateFile, EntriesThatCannotBeStoredAreLeftOutAndTheRestKeepTheirOrder) {
    const std::wstring longMask = L"*" + std::wstring(4000, L'x') + L".txt"; // long masks are whole
    const std::wstring tooLong(kMaxStoredEntryLength + 1, L'y');
    const FormState state{{L"*.mp3", L"\x65E5\x672C.txt", longMask, L"two\nlines", tooLong, L"*.avi"},
                          {L"music", L"\x0101", L"films"}};
    const std::string bytes = FormatFormState(state, kAdvanced);
    const FormState read = ParseFormState(bytes, kAdvanced);
    EXPECT_EQ(read.fileMasks, (Entries{L"*.mp3", longMask, L"*.avi"}));
    EXPECT_EQ(read.shareMasks, (Entries{L"music", L"films"}));
    EXPECT_EQ(bytes.substr(0, 3), "3\r\n");

    EXPECT_TRUE(IsStorableEntry(std::wstring(kMaxStoredEntryLength, L'z')));
    EXPECT_FALSE(IsStorableEntry(L"\x0100"));
    EXPECT_FALSE(IsStorableEntry(L"a\n"));
    EXPECT_TRUE(IsStorableEntry(L""));

    // The ten written are chosen among the first ten entries.
    Entries many = Numbered(L"m", 12);
    many[3] = L"\x0416";
    EXPECT_EQ(ParseFormState(FormatFormState({many, {}}, kSimple), kSimple).fileMasks.size(), 9u);
}

TEST(FormStateFile, AHandEditedCountOfTwelveLoadsTwelveAndTheNextWriteKeepsTen) {
    std::string bytes = "12\r\n";
    for (int i = 0; i < 12; ++i) {
        bytes += "m" + std::to_string(i) + "\r\n";
    }
    const FormState read = ParseFormState(bytes, kSimple);
    EXPECT_EQ(read.fileMasks, Numbered(L"m", 12));
    EXPECT_EQ(ParseFormState(FormatFormState(read, kSimple), kSimple).fileMasks, Numbered(L"m", 10));
}

TEST(FormStateFile, MissingEntriesComeInEmptyAndAreWrittenBackAsSuch) {
    const FormState read = ParseFormState("4\r\na\r\nb\r\n", kAdvanced);
    EXPECT_EQ(read.fileMasks, (Entries{L"a", L"b", L"", L""}));
    EXPECT_TRUE(read.shareMasks.empty());
    EXPECT_EQ(FormatFormState(read, kAdvanced), "4\r\na\r\nb\r\n\r\n\r\n0\r\n");

    // Up to the bound, a count is made up with empty entries.
    EXPECT_EQ(ParseFormState(std::to_string(kMaxEntriesRead) + "\r\nx", kSimple).fileMasks.size(), kMaxEntriesRead);
}

TEST(FormStateFile, AHugeCountReadsOnlyTheLinesThatAreThere) {
    const FormState read = ParseFormState("2000000000\r\n*.mp3\r\n*.avi\r\n", kAdvanced);
    EXPECT_EQ(read.fileMasks, (Entries{L"*.mp3", L"*.avi"}));
    EXPECT_TRUE(read.shareMasks.empty());

    std::string bytes = "99999999999999999999999\r\n";
    for (int i = 0; i < 150; ++i) {
        bytes += "m" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(ParseFormState(bytes, kAdvanced).fileMasks, Numbered(L"m", static_cast<int>(kMaxEntriesRead)));
    // The lines after the first block's bounded entries count as the second block.
    EXPECT_EQ(ParseFormState(bytes, kAdvanced).shareMasks.size(), 0u);
    EXPECT_EQ(ParseFormState("101\r\na\r\n1\r\ns\r\n", kAdvanced).fileMasks, (Entries{L"a", L"1", L"s"}));
}

TEST(FormStateFile, CountsAreReadTheLenientWay) {
    EXPECT_EQ(ParseFormState(" +2 entries\r\na\r\nb\r\nc\r\n", kSimple).fileMasks, (Entries{L"a", L"b"}));
    EXPECT_EQ(ParseFormState("-3\r\na\r\n", kSimple).fileMasks, Entries{});
    EXPECT_EQ(ParseFormState("\t1\r\na\r\n", kSimple).fileMasks, Entries{L"a"});
    // No number loads no file masks, and the advanced form takes the next line as the share count.
    EXPECT_EQ(ParseFormState("\r\n2\r\ns1\r\ns2\r\n", kAdvanced), (FormState{{}, {L"s1", L"s2"}}));
    EXPECT_EQ(ParseFormState("masks\r\n1\r\ns1\r\n", kAdvanced), (FormState{{}, {L"s1"}}));
    EXPECT_EQ(ParseFormState("1\r\na\r\nnone\r\ns\r\n", kAdvanced), (FormState{{L"a"}, {}}));
}

TEST(FormStateFile, LinesEndAtALineFeedWithOrWithoutACarriageReturn) {
    EXPECT_EQ(ParseFormState("2\na\r\nb", kAdvanced), (FormState{{L"a", L"b"}, {}}));
    EXPECT_EQ(ParseFormState("1\n\r\r\n0", kSimple).fileMasks, Entries{L"\r"});
    EXPECT_EQ(ParseFormState("", kAdvanced), FormState{});
    EXPECT_EQ(ParseFormState("1", kAdvanced), (FormState{{L""}, {}}));
}

TEST(FormStateFile, AFileWrittenByTheSimpleFormGivesTheAdvancedFormNoShareMasks) {
    test::TempTree folder;
    const auto file = folder.PathOf("vk.set");
    ASSERT_TRUE(WriteFormStateFile(file, {{L"*.doc"}, {L"music"}}, kAdvanced));
    EXPECT_EQ(ReadFormStateFile(file, kAdvanced), (FormState{{L"*.doc"}, {L"music"}}));
    ASSERT_TRUE(WriteFormStateFile(file, ReadFormStateFile(file, kSimple), kSimple));
    EXPECT_EQ(folder.ReadFile("vk.set"), "1\r\n*.doc\r\n");
    EXPECT_EQ(ReadFormStateFile(file, kAdvanced), (FormState{{L"*.doc"}, {}}));
}

TEST(FormStateFile, AMissingFileIsLeftToTheFirstWriteAndAnUnwritableOneIsSkipped) {
    test::TempTree folder;
    const auto file = folder.PathOf("vk.set");
    EXPECT_EQ(ReadFormStateFile(file, kAdvanced), FormState{});
    EXPECT_FALSE(std::filesystem::exists(file));

    // Nowhere to read or write: empty histories, nothing made, no failure but the answer.
    const auto nowhere = folder.PathOf("missing/vk.set");
    EXPECT_EQ(ReadFormStateFile(nowhere, kSimple), FormState{});
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
    EXPECT_FALSE(WriteFormStateFile(nowhere, {{L"a"}, {}}, kSimple));
    // A folder in the file's place is neither read nor replaced.
    folder.MakeDir("dir.set");
    EXPECT_EQ(ReadFormStateFile(folder.PathOf("dir.set"), kSimple), FormState{});
    EXPECT_FALSE(WriteFormStateFile(folder.PathOf("dir.set"), {{L"a"}, {}}, kSimple));
    EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("dir.set")));
}

TEST(FormStateFile, ReadingStopsAtItsBoundInAHugeFile) {
    test::TempTree folder;
    std::string bytes = "2\r\n" + std::string(3 * kMaxFormStateBytes, 'x') + "\r\nlast\r\n";
    folder.MakeFile("vk.set", bytes);
    const FormState read = ReadFormStateFile(folder.PathOf("vk.set"), kSimple);
    ASSERT_EQ(read.fileMasks.size(), 2u);
    EXPECT_EQ(read.fileMasks[0].size(), kMaxFormStateBytes - 3);
    EXPECT_EQ(read.fileMasks[1], L"");
}

// Random files: mostly digits, line ends and a few other bytes, so that counts and lines are
// common. The reader never makes more entries than its bound, nor an entry longer than its input.
TEST(FormStateFile, RandomInputNeverHurtsTheReader) {
    std::mt19937 random(20261208);
    const std::string alphabet = "0123456789\r\n\n\n -+*.?;a\xE9\xFF";
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& c : bytes) {
            c = random() % 8 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        }
        if (round % 3 == 0) {
            bytes.insert(0, std::to_string(random()) + "\r\n");
        }
        const FormState read = ParseFormState(bytes, kAdvanced);
        ASSERT_LE(read.fileMasks.size(), kMaxEntriesRead);
        ASSERT_LE(read.shareMasks.size(), kMaxEntriesRead);
        for (const auto* block : {&read.fileMasks, &read.shareMasks}) {
            for (const auto& entry : *block) {
                ASSERT_LE(entry.size(), bytes.size());
            }
        }
        // What was read is written and read back alike (within the ten kept).
        const FormState again = ParseFormState(FormatFormState(read, kAdvanced), kAdvanced);
        const auto firstTen = [](Entries entries) {
            entries.resize(std::min<std::size_t>(entries.size(), 10));
            std::erase_if(entries, [](const std::wstring& e) { return !IsStorableEntry(e); });
            return entries;
        };
        ASSERT_EQ(again.fileMasks, firstTen(read.fileMasks));
        ASSERT_EQ(again.shareMasks, firstTen(read.shareMasks));
    }
}

} // namespace
} // namespace vk
