#include "engine/ContentSearch.h"
#include "engine/PatternMatcher.h"
#include "platform/Utf8.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>

#include <random>

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

// How a test file is written. Each text begins with a character that makes the encoding clear:
// e acute (one byte in Windows-1252, two in UTF-8) or the UTF-16 byte-order mark.
enum class Coding { kWindows1252, kUtf8, kUtf16 };

std::string Encoded(Coding coding, std::wstring_view text) {
    switch (coding) {
    case Coding::kWindows1252: {
        std::string bytes;
        for (const wchar_t c : text) {
            bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }
    case Coding::kUtf8:
        return Utf8FromWide(text);
    default:
        return Utf16Le(text, false);
    }
}

std::wstring Lead(Coding coding) {
    return coding == Coding::kUtf16 ? L"\uFEFF" : L"\u00E9";
}

// The character whose first byte is the first of chunk `chunk` (1: the second chunk), when every
// character after the lead takes one byte (two in UTF-16).
std::size_t CharacterAtChunk(Coding coding, std::size_t chunk) {
    const std::size_t byte = chunk * kContentChunkSize;
    switch (coding) {
    case Coding::kWindows1252:
        return byte;
    case Coding::kUtf8:
        return byte - 1;
    default:
        return byte / 2;
    }
}

const char* NameOf(Coding coding) {
    return coding == Coding::kWindows1252 ? "Windows-1252" : coding == Coding::kUtf8 ? "UTF-8" : "UTF-16";
}

class ContentSearchTest : public ::testing::Test {
protected:
    bool Contains(const std::string& bytes, std::wstring_view text) {
        files.AddFile(L"\\\\S\\s\\f", bytes);
        return FileContainsText(files, L"\\\\S\\s\\f", ContentPattern(text), running);
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

// A file is read as UTF-8 when its first chunk begins with the byte-order mark or is well-formed
// UTF-8 with a character of more than one byte; every other file as before.
TEST_F(ContentSearchTest, Utf8TextIsReadAsUtf8) {
    const std::string cologne = "Gr\xC3\xBC\xC3\x9F"
                                "e aus K\xC3\xB6ln";
    EXPECT_TRUE(Contains(cologne, L"gr\u00FC\u00DFe aus k\u00F6ln"));
    EXPECT_TRUE(Contains("\xC3\x85ngstr\xC3\xB6m notes", L"\u00C5ngstr\u00F6m"));
    // Russian in UTF-8: its bytes hold no euro sign, whatever Windows-1252 makes of them.
    const std::string report = "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82 \xD0\xB7\xD0\xB0 \xD0\xBA\xD0\xB2";
    EXPECT_TRUE(Contains(report, L"\u043E\u0442\u0447\u0401\u0442"));
    EXPECT_FALSE(Contains(report, L"\u20AC"));
    // The byte-order mark decides alone; a character split by a chunk boundary is kept whole.
    EXPECT_TRUE(Contains("\xEF\xBB\xBF"
                         "caf\xC3\xA9",
                         L"CAF\u00C9"));
    EXPECT_TRUE(Contains("\xC3\xA9" + std::string(kContentChunkSize - 3, 'x') + "\xC3\xA9tude", L"x\u00C9TUDE"));
    // Not well-formed UTF-8 (Windows-1252 letters), or nothing beyond ASCII in the first chunk:
    // the code page.
    EXPECT_TRUE(Contains("Gr\xFC\xDF"
                         "e aus K\xF6ln",
                         L"gr\u00FC\u00DFe"));
    EXPECT_TRUE(Contains(std::string(kContentChunkSize, 'x') + "caf\xC3\xA9", L"caf\u00C3\u00A9"));
}

TEST_F(ContentSearchTest, TheTextEndsAtTheFilesFirstNul) {
    // The first chunk is plain text (a NUL there would make the Unicode test of Windows say
    // UTF-16); the NUL in the second ends the text: the third chunk is not searched either.
    std::string eightBit = std::string(kContentChunkSize, 'a') + std::string("visible\0hidden", 14) +
                           std::string(kContentChunkSize, 'a') + "later";
    EXPECT_TRUE(Contains(eightBit, L"visible"));
    EXPECT_FALSE(Contains(eightBit, L"hidden"));
    EXPECT_FALSE(Contains(eightBit, L"later"));

    std::wstring wide(kContentChunkSize / 2 - 1, L'\u0436');
    wide += std::wstring(L"visible\0hidden", 14);
    EXPECT_TRUE(Contains(Utf16Le(wide, true), L"VISIBLE"));
    EXPECT_FALSE(Contains(Utf16Le(wide, true), L"hidden"));
}

TEST_F(ContentSearchTest, WildcardsAndClassesKeepTheirMeaning) {
    EXPECT_TRUE(Contains("order 4711 shipped", L"order \\0\\0\\0\\0"));
    EXPECT_FALSE(Contains("order 47a1 shipped", L"order \\0\\0\\0\\0"));
    EXPECT_TRUE(Contains("alpha ... omega", L"alpha*omega"));
    EXPECT_FALSE(Contains("omega ... alpha", L"alpha*omega"));
    EXPECT_TRUE(Contains("", L"*"));       // every text holds "*", the empty one too
    EXPECT_TRUE(Contains("xay", L"a**b")); // a star right after a star ends the match
    EXPECT_FALSE(Contains("xyz", L"a**b"));
}

TEST_F(ContentSearchTest, AnEscapedStarOrBackslashAtTheEndIsFoundAnywhere) {
    EXPECT_TRUE(Contains("xa*y", L"a\\*"));
    EXPECT_TRUE(Contains("ends in a*", L"a\\*"));
    EXPECT_FALSE(Contains("xab", L"a\\*"));
    EXPECT_TRUE(Contains("see C:\\dir\\ for it", L"dir\\"));
    EXPECT_FALSE(Contains("see C:\\dir* for it", L"dir\\"));
}

TEST_F(ContentSearchTest, AStoppedSearchEndsTheTestBetweenChunks) {
    const ContentPattern needle(L"needle");
    files.AddFile(L"\\\\S\\s\\big", std::string(kContentChunkSize * 5, '.'));
    int reads = 0;
    files.onRead = [&] {
        ++reads;
        running = false; // Stop while the first chunk is read
    };
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\big", needle, running));
    EXPECT_EQ(reads, 1);

    // The chunk that was read when Stop came is still matched.
    files.AddFile(L"\\\\S\\s\\early", "the needle" + std::string(kContentChunkSize * 2, '.'));
    reads = 0;
    EXPECT_TRUE(FileContainsText(files, L"\\\\S\\s\\early", needle, running));
    EXPECT_EQ(reads, 1);
}

// An occurrence is found wherever the chunks fall: across the first or the second boundary,
// with any number of its characters before it, in 8-bit text, UTF-8 and UTF-16, for literals,
// question marks, classes and pieces between stars alike.
TEST_F(ContentSearchTest, OccurrencesAcrossChunkBoundariesAreFound) {
    struct Case {
        const wchar_t* pattern;
        const wchar_t* occurrence;
        const wchar_t* nearMiss;
    };
    const Case cases[] = {
        {L"needleword", L"NeedleWord", L"needlewore"},
        {L"need?e?ord", L"needleword", L"needlewore"},
        {L"needle\\0\\0word", L"needle42word", L"needle4xword"},
        {L"ne*dle*wo*rd", L"needleword", L"needlewodr"},
    };
    for (const Coding coding : {Coding::kWindows1252, Coding::kUtf8, Coding::kUtf16}) {
        for (const std::size_t chunk : {1, 2}) {
            if (chunk == 2 && coding != Coding::kWindows1252) {
                continue; // the second boundary once is enough
            }
            const std::size_t boundary = CharacterAtChunk(coding, chunk);
            for (const Case& c : cases) {
                const std::size_t length = std::wstring_view(c.occurrence).size();
                for (const std::size_t before : {std::size_t{1}, length - 1, length}) {
                    std::wstring text = Lead(coding) + std::wstring(boundary + 20, L'x');
                    text.replace(boundary - before, length, c.occurrence);
                    EXPECT_TRUE(Contains(Encoded(coding, text), c.pattern))
                        << NameOf(coding) << ", chunk " << chunk << ", " << before << " before it, "
                        << Utf8FromWide(c.pattern);
                    text.replace(boundary - before, length, c.nearMiss);
                    EXPECT_FALSE(Contains(Encoded(coding, text), c.pattern))
                        << NameOf(coding) << ", chunk " << chunk << ", " << before << " before it, "
                        << Utf8FromWide(c.nearMiss);
                }
            }
        }
    }
    // Pieces in three chunks, in order; and out of order.
    std::string text(kContentChunkSize * 3, 'x');
    text.replace(10, 5, "first");
    text.replace(kContentChunkSize * 2 - 3, 6, "second");
    EXPECT_TRUE(Contains(text, L"first*second"));
    EXPECT_FALSE(Contains(text, L"second*first"));
}

// Random texts around a chunk boundary and random patterns: the file holds the pattern exactly
// when its whole text, matched at once, does.
TEST_F(ContentSearchTest, RandomTextsAroundAChunkBoundaryAnswerAsTheWholeText) {
    const std::wstring repertoire = L"aAb1?*";
    const std::vector<std::wstring> pieces = {L"a", L"b", L"ab", L"?", L"?", L"*", L"\\0", L"\\A", L"\\*", L"x"};
    std::mt19937 random(18);
    int found = 0;
    constexpr int kRounds = 240;
    for (int round = 0; round < kRounds; ++round) {
        const Coding coding = round % 2 == 0 ? Coding::kWindows1252 : Coding::kUtf16;
        const std::size_t boundary = CharacterAtChunk(coding, 1);
        std::wstring text = Lead(coding) + std::wstring(boundary + 30, L'x');
        for (std::size_t i = boundary - 12; i < boundary + 12; ++i) {
            text[i] = repertoire[random() % repertoire.size()];
        }
        std::wstring pattern;
        for (std::size_t i = 1 + random() % 5; i > 0; --i) {
            pattern += pieces[random() % pieces.size()];
        }
        std::wstring wrapped = pattern;
        WrapContainingText(wrapped);
        const bool expected = MatchPattern(text, wrapped, false);
        EXPECT_EQ(Contains(Encoded(coding, text), pattern), expected)
            << NameOf(coding) << ", pattern " << Utf8FromWide(pattern) << ", around the boundary "
            << Utf8FromWide(text.substr(boundary - 12, 24));
        found += expected ? 1 : 0;
    }
    EXPECT_GT(found, kRounds / 10);
    EXPECT_LT(found, kRounds * 9 / 10);
}

TEST_F(ContentSearchTest, ContentBeyondTheLow32BitsOfTheLengthIsStillRead) {
    // The fake file reports a length past 4 GiB whose low 32 bits are small; every byte is read.
    std::string text(kContentChunkSize + 10, ' ');
    text.replace(kContentChunkSize + 2, 4, "TAIL");
    files.AddFile(L"\\\\S\\s\\big", text, (std::uint64_t{1} << 32) + 5);
    EXPECT_TRUE(FileContainsText(files, L"\\\\S\\s\\big", ContentPattern(L"tail"), running));
}

TEST_F(ContentSearchTest, FilesThatCannotBeOpenedDoNotMatch) {
    files.AddFile(L"\\\\S\\s\\locked", "secret");
    files.Lock(L"\\\\S\\s\\locked");
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\locked", ContentPattern(L"secret"), running));
    EXPECT_FALSE(FileContainsText(files, L"\\\\S\\s\\missing", ContentPattern(L"*"), running));
}

} // namespace
} // namespace vk::testing
