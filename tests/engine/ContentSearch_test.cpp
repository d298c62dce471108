#include "engine/ContentSearch.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace vk::testing {
namespace {

std::string Utf16Le(std::wstring_view text, bool bom) {
    std::string bytes;
    if (bom) {
        bytes += "\xFF\xFE";
    }
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

class ContentSearchTest : public ::testing::Test {
protected:
    bool Contains(const std::string& bytes, std::wstring text) {
        files.AddFile(L"\\\\S\\s\\f", bytes);
        WrapContainingText(text);
        return FileContainsText(files, L"\\\\S\\s\\f", text, running);
    }
    FakeFileSystem files;
    std::atomic<bool> running{true};
};

TEST(WrapContainingText, AddsStarsOnlyWhereMissingAndIsIdempotent) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"abc", L"*abc*"},
        {L"*abc*", L"*abc*"},
        {L"*abc", L"*abc*"},
        {L"abc*", L"*abc*"},
        {L"", L"*"},
        // A star made literal by a backslash is no closing star; one after an escaped backslash is.
        {L"a\\*", L"*a\\**"},
        {L"a\\\\*", L"*a\\\\*"},
        {L"a\\\\\\*", L"*a\\\\\\**"},
        // A lone backslash at the end is a literal one, written as a pair before the closing star.
        {L"end\\", L"*end\\\\*"},
        {L"end\\\\", L"*end\\\\*"},
        {L"\\", L"*\\\\*"},
    };
    for (const auto& [text, wrapped] : cases) {
        std::wstring once = text;
        WrapContainingText(once);
        EXPECT_EQ(once, wrapped) << "for " << std::string(text.begin(), text.end());
        WrapContainingText(once);
        EXPECT_EQ(once, wrapped);
    }
}

TEST_F(ContentSearchTest, EightBitTextIsMatchedWithoutRegardToCase) {
    EXPECT_TRUE(Contains("The quick brown fox", L"QUICK"));
    EXPECT_TRUE(Contains("price: 10\x80", L"10\u20AC")); // Windows-1252 euro sign
    EXPECT_FALSE(Contains("The quick brown fox", L"slow"));
    EXPECT_FALSE(Contains("", L"x"));
}

// 8-bit text is matched without converting it, with the answers of its conversion: case pairs in
// the upper half of the code page, a pattern character that folds onto one of its letters, and
// pattern characters that no byte stands for.
TEST_F(ContentSearchTest, EightBitTextAnswersAsItsConversion) {
    const std::string german = "Viele Gr\xFC\xDF"
                               "e aus der Stadt, und ein \x84Zitat\x93 zum Schluss.\r\n";
    EXPECT_TRUE(Contains(german, L"GR\u00DC\u00DFE"));
    EXPECT_TRUE(Contains(german, L"gr\u00FC\u00DF"));
    EXPECT_FALSE(Contains(german, L"GRUSSE"));
    EXPECT_TRUE(Contains(german, L"Schlu\u017F\u017F")); // long s folds to s
    EXPECT_TRUE(Contains(german, L"\u201EZitat\u201C")); // the quotation marks at 0x84 and 0x93
    EXPECT_FALSE(Contains(german, L"Stadt\u4E00"));
    EXPECT_FALSE(Contains(german, L"St\u0101dt"));
    EXPECT_TRUE(Contains("Ein Preis von 10\x80 und die Ecke \x9F bleibt stehen.\r\n", L"\\0\u20AC*\u00FF"));
}

TEST_F(ContentSearchTest, Utf16TextWithOrWithoutByteOrderMarkIsMatchedAsWideText) {
    EXPECT_TRUE(Contains(Utf16Le(L"Hello wide world, \u0436\u0443\u043A", true), L"WIDE WORLD"));
    EXPECT_TRUE(Contains(Utf16Le(L"Hello wide world, plain text here", false), L"plain"));
    EXPECT_FALSE(Contains(Utf16Le(L"Hello wide world", true), L"narrow"));
}

TEST_F(ContentSearchTest, TextAfterTheFirstNulOfAChunkIsNotSearched) {
    // The first chunk is plain text, so the encoding is clear on every platform; the second
    // chunk holds a NUL.
    std::string eightBit(kContentChunkSize, 'a');
    eightBit += std::string("visible\0hidden", 14);
    EXPECT_TRUE(Contains(eightBit, L"visible"));
    EXPECT_FALSE(Contains(eightBit, L"hidden"));

    std::wstring wide(kContentChunkSize / 2 - 1, L'\u0436');
    wide += std::wstring(L"visible\0hidden", 14);
    EXPECT_TRUE(Contains(Utf16Le(wide, true), L"VISIBLE"));
    EXPECT_FALSE(Contains(Utf16Le(wide, true), L"hidden"));
}

TEST_F(ContentSearchTest, WildcardsAndClassesKeepTheirMeaning) {
    EXPECT_TRUE(Contains("order 4711 shipped", L"order \\0\\0\\0\\0"));
    EXPECT_FALSE(Contains("order 47a1 shipped", L"order \\0\\0\\0\\0"));
    EXPECT_TRUE(Contains("alpha ... omega", L"alpha*omega"));
}

TEST_F(ContentSearchTest, AnEscapedStarOrBackslashAtTheEndIsFoundAnywhere) {
    EXPECT_TRUE(Contains("xa*y", L"a\\*"));
    EXPECT_TRUE(Contains("ends in a*", L"a\\*"));
    EXPECT_FALSE(Contains("xab", L"a\\*"));
    EXPECT_TRUE(Contains("see C:\\dir\\ for it", L"dir\\"));
    EXPECT_FALSE(Contains("see C:\\dir* for it", L"dir\\"));
}

TEST_F(ContentSearchTest, AStoppedSearchEndsTheTestBetweenChunks) {
    files.AddFile(L"\\\\S\\s\\big", std::string(kContentChunkSize * 5, '.'));
    int reads = 0;
    files.onRead = [&] {
        ++reads;
        running = false; // Stop while the first chunk is read
    };
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\big", L"*needle*", running));
    EXPECT_EQ(reads, 1);

    // The chunk that was read when Stop came is still matched.
    files.AddFile(L"\\\\S\\s\\early", "the needle" + std::string(kContentChunkSize * 2, '.'));
    reads = 0;
    EXPECT_TRUE(FileContainsText(files, L"\\\\S\\s\\early", L"*needle*", running));
    EXPECT_EQ(reads, 1);
}

TEST_F(ContentSearchTest, ChunksAreMatchedSeparately) {
    std::string text(kContentChunkSize * 2 + 100, '.');
    // Straddles the first boundary: not found.
    text.replace(kContentChunkSize - 3, 6, "NEEDLE");
    EXPECT_FALSE(Contains(text, L"needle"));
    // Wholly within the second chunk: found.
    text.replace(kContentChunkSize + 1000, 7, "HAYSTAK");
    EXPECT_TRUE(Contains(text, L"haystak"));
    // In the short last chunk: found.
    text.replace(kContentChunkSize * 2 + 50, 5, "FINAL");
    EXPECT_TRUE(Contains(text, L"final"));
}

TEST_F(ContentSearchTest, ContentBeyondTheLow32BitsOfTheLengthIsStillRead) {
    // The fake file reports a length past 4 GiB whose low 32 bits are small; every byte is read.
    std::string text(kContentChunkSize + 10, ' ');
    text.replace(kContentChunkSize + 2, 4, "TAIL");
    files.AddFile(L"\\\\S\\s\\big", text, (std::uint64_t{1} << 32) + 5);
    std::wstring pattern = L"tail";
    WrapContainingText(pattern);
    EXPECT_TRUE(FileContainsText(files, L"\\\\S\\s\\big", pattern, running));
}

TEST_F(ContentSearchTest, FilesThatCannotBeOpenedDoNotMatch) {
    files.AddFile(L"\\\\S\\s\\locked", "secret");
    files.Lock(L"\\\\S\\s\\locked");
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\locked", L"*secret*", running));
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\missing", L"*", running));
}

} // namespace
} // namespace vk::testing
