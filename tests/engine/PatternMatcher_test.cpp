#include "engine/ContentPattern.h"
#include "engine/PatternMatcher.h"
#include "platform/CpuFeatures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwctype>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace vk {
namespace {

struct Case {
    const wchar_t* pattern;
    const wchar_t* text;
    bool match;
};

void ExpectAll(const std::vector<Case>& cases, bool exact) {
    for (const Case& c : cases) {
        EXPECT_EQ(MatchPattern(c.text, c.pattern, exact), c.match)
            << "pattern " << testing::PrintToString(std::wstring(c.pattern)) << ", text "
            << testing::PrintToString(std::wstring(c.text)) << ", exact " << exact;
    }
}

TEST(PatternMatcherTest, AnswersWithoutRegardToCase) {
    ExpectAll(
        {
            {L"abc", L"ABC", true},
            {L"abc", L"abcd", false},
            {L"", L"", true},
            {L"", L"a", false},
            {L"*", L"", true},
            {L"a*", L"a", true},
            {L"a*", L"ba", false},
            {L"*c", L"abcd", false},
            {L"*b*", L"abc", true},
            {L"*b*", L"ac", false},
            {L"?", L"", false},
            {L"?", L"ab", false},
            {L"a?c", L"abc", true},
            {L"a?c", L"ac", false},
            {L"*?", L"", false},
            {L"*?", L"x", true},
            {L"\\A", L"x", true},
            {L"\\A", L"5", false},
            {L"\\0", L"7", true},
            {L"\\X", L"V", true},
            {L"\\X", L"v", false},
            {L"\\X", L"B", false},
            {L"\\a", L"\\a", true},
            {L"\\*", L"*", true},
            {L"\\*", L"x", false},
            {L"\\?", L"?", true},
            {L"\\\\", L"\\", true},
            {L"a\\", L"a\\", true},
            {L"**b", L"xyz", true},
            {L"a**b", L"ac", true},
            {L"*x*y*", L"axbyc", true},
            {L"*x*y*", L"aybxc", false},
            {L"*aa*", L"aba", false},
            {L"*a?c*", L"xxabdabc", true},
            {L"*\\0\\0*", L"a1b22c", true},
            {L"*\\0\\0*", L"a1b2c", false},
            {L"data\\0\\0", L"DATA07", true},
            {L"*$", L"C$", true},
            {L"*a*a", L"aa", true},
            {L"*a*a", L"a", false},
            {L"*?a*", L"a", false},
            {L"*?a*", L"ba", true},
        },
        false);
}

TEST(PatternMatcherTest, EscapesAndClasses) {
    ExpectAll(
        {
            {L"\\x", L"\\x", true},      // lower-case escapes are a literal backslash and the letter
            {L"\\x", L"X", false},       //
            {L"\\a", L"a", false},       //
            {L"\\A", L"a", true},        // the alpha class takes either case
            {L"\\X", L"x", false},       // the roman class respects case in every mode
            {L"\\X\\X", L"MI", true},    //
            {L"\\X", L"IVXCLDM", false}, //
            {L"\\\\A", L"\\A", true},    // a doubled backslash before A is a literal backslash
            {L"\\\\A", L"\\a", true},    //
            {L"\\\\A", L"b", false},     //
            {L"a\\*b", L"a*b", true},    //
            {L"a\\*b", L"axb", false},   //
            {L"a\\?b", L"axb", false},   //
            {L"\\0\\A?", L"1b.", true},  //
            {L"\\0", L"a", false},       //
            {L"*\\X", L"x", false},      //
            {L"*\\*", L"ab*", true},     // an escaped star at the end needs a literal star
            {L"*\\*", L"ab", false},     //
        },
        false);
}

TEST(PatternMatcherTest, CaseModeAppliesToLiterals) {
    ExpectAll({{L"readme", L"README", true}, {L"*Need*", L"a neEdle", true}}, false);
    ExpectAll({{L"readme", L"README", false}, {L"*Need*", L"a neEdle", false}, {L"*Need*", L"a Needle", true}}, true);
}

TEST(PatternMatcherTest, FoldsCaseBeyondAscii) {
    ExpectAll(
        {
            {L"\u00C4\u00D6\u00DC", L"\u00E4\u00F6\u00FC", true},     // A, O, U umlaut
            {L"*stra\u00DFe*", L"STRA\u00DFE", true},                 // sharp s equals only itself
            {L"\u00D7", L"\u00F7", false},                            // multiplication, division sign
            {L"\u00FF", L"\u0178", true},                             // y diaeresis, across blocks
            {L"\u0152uvre", L"\u0153UVRE", true},                     // OE ligature
            {L"*\u0104\u0141\u0179*", L"x \u0105\u0142\u017A", true}, // A ogonek, L stroke, Z acute
            {L"\u0130", L"i", false},                                 // dotted capital I
            {L"\u0131", L"I", false},                                 // dotless small i
            {L"s", L"\u017F", true},                                  // long s
            {L"a", L"\u00E1", false},                                 // accents still count
            {L"\u03A3\u039F\u03A6\u0399\u0391", L"\u03C3\u03BF\u03C6\u03B9\u03B1", true}, // Greek word
            {L"*\u03C2", L"\u039B\u039F\u0393\u039F\u03A3", true},                        // final sigma
            {L"*\u038F*", L"\u03CE", true},                                               // omega with tonos
            {L"*\u041F\u0420\u0418\u0412\u0415\u0422*", L"\u043F\u0440\u0438\u0432\u0435\u0442!", true}, // Cyrillic
            {L"\u0401\u0436", L"\u0451\u0416", true},                                                    // io, zhe
            {L"\u0403", L"\u0453", true},                                                                // gje
            {L"\u0435", L"e", false}, // Cyrillic ie is not Latin e
        },
        false);
    ExpectAll({{L"\u00C4\u00D6", L"\u00E4\u00F6", false}, {L"\u0416", L"\u0436", false}}, true);
}

TEST(PatternMatcherTest, NulEndsTextAndPattern) {
    const std::wstring text(L"abc\0def", 7);
    EXPECT_TRUE(MatchPattern(text, L"abc", false));
    EXPECT_FALSE(MatchPattern(text, L"*def*", false));
    const std::wstring pattern(L"a*\0zzz", 6);
    EXPECT_TRUE(MatchPattern(L"abc", pattern, false));
    EXPECT_TRUE(MatchPattern(std::wstring(L"\0x", 2), L"", false));
}

// A question mark in front of the first literal of a segment must not make the search skip an
// occurrence whose literal lies right after a failed candidate.
TEST(PatternMatcherTest, LeadingQuestionMarkKeepsLeftmostSearch) {
    ExpectAll(
        {
            {L"*?a?c*", L"xaaxc", true},
            {L"*?a?c*", L"xaaxd", false},
            {L"*??a?c*", L"xyaaxc", true},
            {L"*?\\0x*", L"a12x", true},
            {L"*?\\0x*", L"a12y", false},
            {L"*?a?c*?e", L"xaaxcze", true},
        },
        false);
}

TEST(PatternMatcherTest, SegmentsAndTails) {
    ExpectAll(
        {
            {L"*abc", L"ababc", true},
            {L"*ab*ab", L"ab", false},
            {L"*ab*ab", L"abab", true},
            {L"a*b*c", L"abc", true},
            {L"a*b*c", L"acb", false},
            {L"*ab*cd*", L"abcabd", false},
            {L"*ab*cd*", L"xxcdab", false},
            {L"*a*", L"bbbbbbbba", true},
            {L"*\\A1*", L"12a1", true},
            {L"?*?", L"a", false},
            {L"?*?", L"ab", true},
            {L"*.txt", L"notes.TXT", true},
        },
        false);
}

TEST(PatternMatcherTest, LongTextsAndLiterals) {
    std::wstring literal;
    for (int i = 0; i < 1000; ++i) {
        literal.push_back(static_cast<wchar_t>(L'a' + i % 26));
    }
    std::wstring upper = literal;
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    std::wstring text(300000, L'x');
    text.replace(250000, upper.size(), upper);
    EXPECT_TRUE(MatchPattern(text, L"*" + literal + L"*", false));
    EXPECT_FALSE(MatchPattern(text, L"*" + literal + L"*", true));
    EXPECT_TRUE(MatchPattern(upper, literal, false));

    std::wstring almost = literal;
    almost.back() = L'!';
    EXPECT_FALSE(MatchPattern(text, L"*" + almost + L"*", false));
    // The occurrence ends exactly at the end of the text.
    EXPECT_TRUE(MatchPattern(text.substr(0, 251000), L"*" + literal + L"*", false));
    EXPECT_FALSE(MatchPattern(text.substr(0, 250999), L"*" + literal + L"*", false));
}

// Every start and end position of an occurrence, near the start, middle and end of the text.
TEST(PatternMatcherTest, FindsOccurrenceAtEveryPosition) {
    for (std::size_t at = 0; at + 3 <= 100; ++at) {
        std::wstring text(100, L'k');
        text.replace(at, 3, L"NeE");
        EXPECT_TRUE(MatchPattern(text, L"*nee*", false)) << at;
        EXPECT_TRUE(MatchPattern(text, L"*?ee*", false)) << at;
        EXPECT_EQ(MatchPattern(text, L"*kNe*", true), at > 0) << at;
        text[at + 2] = L'x';
        EXPECT_FALSE(MatchPattern(text, L"*nee*", false)) << at;
    }
}

// A plain reading of the matcher's rules, to compare with on small texts: a pattern holds star,
// '?', class and literal tokens, '*' takes any run, and a star right after a star (or at the end)
// ends the match with success.
struct OracleToken {
    enum Kind { kStar, kAny, kAlpha, kDigit, kRoman, kLiteral } kind;
    wchar_t c = 0;
};

std::vector<OracleToken> OracleTokens(std::wstring_view pattern) {
    std::vector<OracleToken> tokens;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        const wchar_t c = pattern[p];
        const wchar_t next = p + 1 < pattern.size() ? pattern[p + 1] : L'\0';
        if (c == L'*') {
            tokens.push_back({OracleToken::kStar});
        } else if (c == L'?') {
            tokens.push_back({OracleToken::kAny});
        } else if (c == L'\\' && (next == L'A' || next == L'0' || next == L'X')) {
            tokens.push_back({next == L'A'   ? OracleToken::kAlpha
                              : next == L'0' ? OracleToken::kDigit
                                             : OracleToken::kRoman});
            ++p;
        } else if (c == L'\\' && (next == L'*' || next == L'?' || next == L'\\')) {
            tokens.push_back({OracleToken::kLiteral, next});
            ++p;
        } else {
            tokens.push_back({OracleToken::kLiteral, c});
        }
    }
    return tokens;
}

bool OracleMatch(const std::vector<OracleToken>& tokens, std::size_t p, std::wstring_view text, std::size_t t) {
    if (p == tokens.size()) {
        return t == text.size();
    }
    const OracleToken& token = tokens[p];
    if (token.kind == OracleToken::kStar) {
        if (p + 1 == tokens.size() || tokens[p + 1].kind == OracleToken::kStar) {
            return true;
        }
        for (std::size_t k = t; k <= text.size(); ++k) {
            if (OracleMatch(tokens, p + 1, text, k)) {
                return true;
            }
        }
        return false;
    }
    if (t == text.size()) {
        return false;
    }
    const wchar_t c = text[t];
    bool ok = false;
    switch (token.kind) {
    case OracleToken::kAny:
        ok = true;
        break;
    case OracleToken::kAlpha:
        ok = std::iswalpha(static_cast<wint_t>(c)) != 0 && c < 0x80;
        break;
    case OracleToken::kDigit:
        ok = c >= L'0' && c <= L'9';
        break;
    case OracleToken::kRoman:
        ok = std::wstring_view(L"IVXCLDM").find(c) != std::wstring_view::npos;
        break;
    default:
        ok = std::towlower(static_cast<wint_t>(c)) == std::towlower(static_cast<wint_t>(token.c));
        break;
    }
    return ok && OracleMatch(tokens, p + 1, text, t + 1);
}

// Random ASCII texts and patterns of every token kind, anchored or not: the matcher answers as
// the plain reading does.
TEST(PatternMatcherTest, RandomPatternsAnswerAsThePlainReadingOfTheRules) {
    const std::wstring repertoire = L"aAbB1V*?\\ ";
    const std::vector<std::wstring> pieces = {L"a",   L"B",   L"ab",  L"1",   L"*",   L"*",    L"?",
                                              L"\\A", L"\\0", L"\\X", L"\\*", L"\\?", L"\\\\", L"\\"};
    std::mt19937 random(16);
    int matched = 0;
    constexpr int kRounds = 20000;
    for (int round = 0; round < kRounds; ++round) {
        std::wstring text(random() % 10, L' ');
        for (wchar_t& c : text) {
            c = repertoire[random() % repertoire.size()];
        }
        std::wstring pattern;
        for (std::size_t i = random() % 6; i > 0; --i) {
            pattern += pieces[random() % pieces.size()];
        }
        const bool expected = OracleMatch(OracleTokens(pattern), 0, text, 0);
        EXPECT_EQ(MatchPattern(text, pattern, false), expected)
            << "pattern " << testing::PrintToString(pattern) << ", text " << testing::PrintToString(text);
        matched += expected ? 1 : 0;
    }
    EXPECT_GT(matched, kRounds / 20);
    EXPECT_LT(matched, kRounds * 19 / 20);
}

// The alphabet of wide text, counting the comparisons a search makes.
class CountingAlphabet : public WideAlphabet {
public:
    CountingAlphabet() : WideAlphabet(false) {}
    bool Equal(Char textChar, Char literal) const {
        ++comparisons;
        return WideAlphabet::Equal(textChar, literal);
    }
    bool InClass(Char c, ElementKind kind) const {
        ++comparisons;
        return WideAlphabet::InClass(c, kind);
    }
    mutable std::size_t comparisons = 0;
};

// The search for a piece costs about the text's length for the common pieces (a word, a word
// with question marks or classes, however many of them): a careless pattern such as a, 60000
// question marks and b must not take minutes.
TEST(PatternMatcherTest, APieceIsFoundInAboutTheTimeToReadTheText) {
    const std::wstring as(300000, L'a');
    struct PieceCase {
        std::wstring piece;
        const std::wstring& text;
        std::size_t mostComparisons;
    };
    const PieceCase cases[] = {
        {L"a" + std::wstring(60000, L'?') + L"b", as, 10},
        {std::wstring(60000, L'a') + L"b", as, 10},
        {L"a?" + std::wstring(100, L'?') + L"\\0", as, 2 * as.size()},
        {L"needle", as, 10},
    };
    for (const PieceCase& c : cases) {
        CountingAlphabet alphabet;
        const PatternShape shape = ShapeOfPattern(L"*" + c.piece + L"*");
        ASSERT_EQ(shape.middle.size(), 1U);
        const PieceFinder<CountingAlphabet> finder(shape.middle[0], alphabet);
        static_cast<void>(finder.Find(alphabet, c.text.data(), 0, c.text.size()));
        EXPECT_LE(alphabet.comparisons, c.mostComparisons) << c.piece.size() << " characters";
    }
}

// ---------------------------------------------------------------------------------------------
// 8-bit text searched byte by byte for the pieces of a containing text must answer exactly as its
// conversion to wide characters does.

std::array<wchar_t, 256> Windows1252() {
    constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::array<wchar_t, 256> table = {};
    for (std::size_t byte = 0; byte < 256; ++byte) {
        table[byte] = static_cast<wchar_t>(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte);
    }
    return table;
}

std::wstring Decode(const std::array<wchar_t, 256>& table, const std::vector<std::uint8_t>& bytes) {
    std::wstring text;
    for (const std::uint8_t byte : bytes) {
        text.push_back(table[byte]);
    }
    return text;
}

// Whether the text, up to its first NUL, holds the row's pieces.
template <typename Alphabet, typename Char> bool Holds(const PieceRow<Alphabet>& row, std::span<const Char> text) {
    const auto end = std::find(text.begin(), text.end(), Char{0});
    PieceScan<Alphabet> scan(row);
    return scan.Search(text.data(), static_cast<std::size_t>(end - text.begin()));
}

// Searches the bytes and their conversion for the pattern made of the containing text; returns
// the answer.
bool ExpectSameAnswers(const ContentPattern& pattern, const std::array<wchar_t, 256>& table,
                       const std::vector<std::uint8_t>& bytes, const std::wstring& containingText) {
    const std::wstring wide = Decode(table, bytes);
    std::wstring wrapped = containingText;
    WrapContainingText(wrapped);
    const bool expected = MatchPattern(wide, wrapped, false);
    EXPECT_EQ(Holds(*pattern.Bytes(), std::span<const std::uint8_t>(bytes)), expected)
        << "pattern " << testing::PrintToString(wrapped) << ", text " << testing::PrintToString(wide);
    EXPECT_EQ(Holds(pattern.Wide(), std::span<const wchar_t>(wide)), expected);
    return expected;
}

bool ExpectSameAnswers(const ByteCodePage& page, const std::array<wchar_t, 256>& table,
                       const std::vector<std::uint8_t>& bytes, const std::wstring& containingText) {
    return ExpectSameAnswers(ContentPattern(containingText, &page), table, bytes, containingText);
}

// The classes follow Unicode as Windows classifies characters, on every build and in every C
// locale: letters and letter numbers are alphabetic (but for the ordinal indicators and micro
// sign), decimal digits of every script and the superscripts 1, 2 and 3 are digits.
TEST(PatternMatcherTest, ClassesKnowCharactersBeyondAscii) {
    ExpectAll(
        {
            {L"\\A", L"\u00E9", true},             // e acute
            {L"\\A", L"\u00DF", true},             // sharp s
            {L"\\A\\A", L"\u03A9\u0436", true},    // Greek, Cyrillic
            {L"\\A", L"\u4E2D", true},             // CJK
            {L"\\A", L"\u2163", true},             // Roman numeral four, a letter number
            {L"\\A", L"\u00AA", false},            // feminine ordinal: punctuation to Windows
            {L"\\A", L"\u00B2", false},            //
            {L"\\A", L"\u00D7", false},            // multiplication sign
            {L"\\0", L"\u00B2", true},             // superscript two
            {L"\\0", L"\u00B9", true},             //
            {L"\\0", L"\u0663", true},             // Arabic-Indic three
            {L"\\0", L"\uFF15", true},             // fullwidth five
            {L"\\0", L"\u00BD", false},            // one half
            {L"\\0", L"\u2074", false},            // superscript four: not a digit to Windows
            {L"\\0", L"\u00E9", false},            //
            {L"*\\0\\0*", L"m\u00B2\u00B3", true}, //
            {L"caf\\A", L"CAF\u00C9", true},       //
        },
        false);
    // 8-bit text in code page 1252 answers the same.
    const auto page = ByteCodePage::Make(Windows1252());
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(ExpectSameAnswers(*page, Windows1252(), {'c', 'a', 'f', 0xE9, 0xB2}, L"caf\\A\\0"));
    EXPECT_FALSE(ExpectSameAnswers(*page, Windows1252(), {'c', 'a', 'f', 0xE9, 0xB2}, L"caf\\0\\A"));
}

// The roman class holds exactly the seven capitals, in the wide and in the byte matcher.
TEST(PatternMatcherTest, RomanClassIsEveryCapitalOfIVXCLDMAndNoSmallLetter) {
    const auto page = ByteCodePage::Make(Windows1252());
    ASSERT_TRUE(page.has_value());
    for (const char letter : std::string_view("IVXCLDM")) {
        for (const bool capital : {true, false}) {
            const char c = capital ? letter : static_cast<char>(letter - 'A' + 'a');
            const std::wstring text(1, static_cast<wchar_t>(c));
            for (const bool exact : {false, true}) {
                EXPECT_EQ(MatchPattern(text, L"\\X", exact), capital) << c << " exact " << exact;
            }
            EXPECT_EQ(ExpectSameAnswers(*page, Windows1252(), {static_cast<std::uint8_t>(c)}, L"\\X"), capital) << c;
        }
    }
}

TEST(BytePatternMatcherTest, EveryByteAgainstEveryCharacterOfThePattern) {
    const auto table = Windows1252();
    const auto page = ByteCodePage::Make(table);
    ASSERT_TRUE(page.has_value());
    // Every character the case folding knows, the code page's own beyond it, and some that no
    // byte stands for.
    std::vector<wchar_t> characters;
    for (wchar_t c = 1; c < 0x0530; ++c) {
        characters.push_back(c);
    }
    for (const wchar_t c : table) {
        if (c >= 0x0530) {
            characters.push_back(c);
        }
    }
    characters.insert(characters.end(), {L'\u2000', L'\u4E00', L'\uFB00', L'\uFFFD', L'\uFFFF'});
    for (const wchar_t c : characters) {
        // The character alone and as the first of two.
        const std::wstring one(1, c);
        const ContentPattern alone(one, &*page);
        const ContentPattern first(one + L"x", &*page);
        for (std::size_t byte = 1; byte < 256; ++byte) {
            const std::vector<std::uint8_t> text{static_cast<std::uint8_t>(byte), 'x'};
            ExpectSameAnswers(alone, table, text, one);
            ExpectSameAnswers(first, table, text, one + L"x");
        }
    }
    // The byte path's own results for a few of those: case pairs inside and across the two
    // halves of the code page, a character that folds onto a byte's, and one without a byte.
    const auto holds = [&](std::vector<std::uint8_t> text, const wchar_t* containingText) {
        return ExpectSameAnswers(*page, table, text, containingText);
    };
    EXPECT_TRUE(holds({0x9F}, L"\u00FF"));  // Y diaeresis: 0x9F and 0xFF
    EXPECT_TRUE(holds({0x8A}, L"\u0161"));  // S caron: 0x8A and 0x9A
    EXPECT_TRUE(holds({'s'}, L"\u017F"));   // long s folds to s
    EXPECT_FALSE(holds({0xD7}, L"\u00F7")); // multiplication and division signs
    EXPECT_FALSE(holds({'a'}, L"\u0101"));  // a macron is in no byte
    EXPECT_TRUE(holds({0x80, '5'}, L"\u20AC\\0"));
}

// Texts over a small repertoire (so that patterns often match) and patterns of every token kind.
TEST(BytePatternMatcherTest, RandomTextsAndPatternsAnswerAsTheWidePath) {
    const auto table = Windows1252();
    const auto page = ByteCodePage::Make(table);
    ASSERT_TRUE(page.has_value());
    const std::vector<std::uint8_t> repertoire = {'a', 'A', 'b',  'B',  's',  'S',  'I',  'V',  'x',  '1',  '7',  ' ',
                                                  '*', '?', '\\', 0xE4, 0xC4, 0x9F, 0xFF, 0x8A, 0x9A, 0xDF, 0x80, 0xB2};
    const std::vector<std::wstring> pieces = {
        L"a",  L"A",      L"b",      L"S",  L"\u017F", L"i",      L"v",      L"X",      L"1",   L" ",
        L"*",  L"*",      L"?",      L"?",  L"\\A",    L"\\0",    L"\\X",    L"\\*",    L"\\?", L"\\\\",
        L"\\", L"\u00E4", L"\u00C4", L"\\", L"\u0178", L"\u0161", L"\u4E00", L"\u20AC", L"ss",  L"\u00DF"};
    std::mt19937 random(1252);
    int matched = 0;
    constexpr int kRounds = 20000;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::uint8_t> text(random() % 12);
        for (std::uint8_t& byte : text) {
            byte = repertoire[random() % repertoire.size()];
        }
        if (random() % 20 == 0 && !text.empty()) {
            text[random() % text.size()] = 0; // the text ends there
        }
        std::wstring pattern;
        for (std::size_t i = random() % 6; i > 0; --i) {
            pattern += pieces[random() % pieces.size()];
        }
        matched += ExpectSameAnswers(*page, table, text, pattern) ? 1 : 0;
    }
    EXPECT_GT(matched, kRounds / 10);
    EXPECT_LT(matched, kRounds * 9 / 10);
}

// Long texts take the block scan, with the occurrence at every place relative to a block, by the
// code for AVX2 (where the processor has it) and by the baseline code.
TEST(BytePatternMatcherTest, LongTextsAnswerAsTheWidePath) {
    const auto table = Windows1252();
    const auto page = ByteCodePage::Make(table);
    ASSERT_TRUE(page.has_value());
    for (std::size_t round = 0; round < 2 * 298; ++round) {
        AllowAvx2(round < 298);
        const std::size_t at = round % 298;
        std::vector<std::uint8_t> text(300, 'k');
        const std::uint8_t needle[] = {0xC4, 'B', 0x9F}; // A umlaut, B, Y diaeresis
        std::copy(std::begin(needle), std::end(needle), text.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_TRUE(ExpectSameAnswers(*page, table, text, L"\u00E4b\u00FF")) << at;
        ExpectSameAnswers(*page, table, text, L"\u00E4?\u00FF");
        ExpectSameAnswers(*page, table, text, L"k\u00C4*\u0178k");
        ExpectSameAnswers(*page, table, text, L"\\Ab\u00FF");
    }
    AllowAvx2(true);
}

TEST(BytePatternMatcherTest, TextEndsAtItsFirstZeroByte) {
    const auto page = ByteCodePage::Make(Windows1252());
    ASSERT_TRUE(page.has_value());
    const std::vector<std::uint8_t> text = {'a', 'b', 'c', 0, 'd', 'e', 'f'};
    EXPECT_TRUE(ExpectSameAnswers(*page, Windows1252(), text, L"abc"));
    EXPECT_FALSE(ExpectSameAnswers(*page, Windows1252(), text, L"def"));
    EXPECT_TRUE(ExpectSameAnswers(*page, Windows1252(), {}, L""));
    EXPECT_TRUE(ExpectSameAnswers(*page, Windows1252(), text, std::wstring(L"a*\0zzz", 6)));
}

// Code pages the bytes cannot be matched in on their own, and one whose bytes stand for equal
// characters (which the matcher then treats as one).
TEST(BytePatternMatcherTest, CodePagesWithSharedCharacters) {
    auto table = Windows1252();
    table[0x41] = 0; // 'A' would end the text after conversion
    EXPECT_FALSE(ByteCodePage::Make(table).has_value());
    table = Windows1252();
    table[0] = L'x';
    EXPECT_FALSE(ByteCodePage::Make(table).has_value());
    table = Windows1252();
    table[0x81] = L'A'; // with 0x8D, four bytes for the letter a without regard to case
    table[0x8D] = L'a';
    EXPECT_FALSE(ByteCodePage::Make(table).has_value());

    table[0x8D] = L'\uFFFD';
    table[0x8F] = L'\uFFFD';
    table[0x90] = L'\uFFFD';
    const auto page = ByteCodePage::Make(table);
    ASSERT_TRUE(page.has_value());
    std::mt19937 random(3);
    const std::vector<std::uint8_t> repertoire = {'a', 'A', 0x81, 0x8D, 0x8F, 0x90, 'b'};
    const std::vector<std::wstring> pieces = {L"a", L"A", L"\uFFFD", L"b", L"*", L"?", L"\\A"};
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> text(random() % 8);
        for (std::uint8_t& byte : text) {
            byte = repertoire[random() % repertoire.size()];
        }
        std::wstring pattern;
        for (std::size_t i = random() % 4; i > 0; --i) {
            pattern += pieces[random() % pieces.size()];
        }
        ExpectSameAnswers(*page, table, text, pattern);
    }
}

} // namespace
} // namespace vk
