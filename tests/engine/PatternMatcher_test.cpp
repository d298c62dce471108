#include "engine/PatternMatcher.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vk
