#include "platform/WildcardName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vk {
namespace {

struct MaskCase {
    const wchar_t* name;
    const wchar_t* mask;
    bool matches;
};

TEST(WildcardName, MatchesLikeWindowsListings) {
    const MaskCase cases[] = {
        {L"readme.txt", L"*.txt", true},
        {L"README.TXT", L"*.txt", true},
        {L"readme.txt", L"*.TXT", true},
        {L"readme.txt.bak", L"*.txt", false},
        {L"readme.txt", L"readme.txt", true},
        {L"readme.txt", L"readme", false},
        {L"a.txt", L"?.txt", true},
        {L"ab.txt", L"?.txt", false},
        {L".txt", L"?.txt", false},
        {L"noext", L"*.*", true},
        {L"noext", L"*", true},
        {L"noext", L"**", true},
        {L".", L"*", true},
        {L"..", L"*.*", true},
        {L"noext", L"*.?*", false},
        {L"a.b.c", L"*.c", true},
        {L"a.b.c", L"*.b", false},
        {L"ac", L"a*c", true},
        {L"abcbc", L"a*bc", true},
        {L"abcb", L"a*bc", false},
        {L"aaa", L"a*a*a", true},
        {L"aa", L"a*a*a", false},
        {L"report 2024 final.doc", L"*2024*.doc", true},
        {L"x", L"", false},
        // Letters beyond ASCII fold too: Latin-1, Latin Extended-A, Greek, Cyrillic.
        {L"\u00C4RGER.doc", L"\u00E4rger.*", true},
        {L"\u0178", L"\u00FF", true},
        {L"\u0141\u00F3d\u017A", L"\u0142\u00D3D\u0179", true},
        {L"\u03A3\u039F\u03A6\u0399\u0391", L"\u03C3\u03BF\u03C6\u03B9\u03B1", true},
        {L"\u041F\u0440\u0438\u0432\u0435\u0442.TXT", L"\u043F\u0420\u0418*.txt", true},
        {L"\u0401\u0436", L"\u0451\u0416", true},
        {L"\u00C4", L"A", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << "name '" << c.name << "', mask '" << c.mask << "'";
    }
}

TEST(WildcardName, ManyStarsOnALongNameStayCorrect) {
    const std::wstring name(300, L'a');
    EXPECT_FALSE(MatchesFileMask(name, L"*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesFileMask(name + L"b", L"*a*a*a*a*a*b"));
}

TEST(WildcardName, ListingOrderPutsDotEntriesFirstAndIgnoresCase) {
    std::vector<std::wstring> names = {L"zeta", L"_under", L"..",    L"Beta",  L"alpha",   L"!bang",
                                       L".",    L"ALPHA2", L"alpha", L"Alpha", L"beta.txt"};
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return CompareNamesForListing(a, b) < 0; });
    // Upper-case ordinal, as Windows file systems order names: '_' sorts after the letters.
    const std::vector<std::wstring> expected = {L".",      L"..",   L"!bang",    L"Alpha", L"alpha", L"alpha",
                                                L"ALPHA2", L"Beta", L"beta.txt", L"zeta",  L"_under"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(CompareNamesForListing(L"same", L"same"), 0);
}

} // namespace
} // namespace vk
