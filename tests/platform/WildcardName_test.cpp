#include "platform/WildcardName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
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
        {L".txt", L"?.txt", true}, // '?' may match nothing before a '.'

        {L"noext", L"*.*", true},
        {L"noext", L"*", true},
        {L"noext", L"**", true},
        {L".", L"*", true},
        {L"..", L"*.*", true},
        {L"noext", L"*.?*", true},
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

// What Windows lists for each mask in a folder of these names (long names only): its listings
// turn '?' into "one character, or none before a '.' or at the end", a '.' before a wildcard
// into "a '.' or the end", a '*' before a '.' into "a run short of the last '.'", and drop a
// final '.'.
TEST(WildcardName, DosWildcardsFollowWindowsListings) {
    const std::vector<std::wstring> folder = {L"Templates", L"Templates1", L"Templates.x", L"noext",
                                              L"a.txt",     L"a.b.txt",    L"ab.txt",      L"a",
                                              L"a.b",       L"a.bc",       L".git",        L"x.txtx"};
    const auto listed = [&](std::wstring_view mask) {
        std::vector<std::wstring> names;
        std::copy_if(folder.begin(), folder.end(), std::back_inserter(names),
                     [&](const std::wstring& name) { return MatchesFileMask(name, mask); });
        return names;
    };
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(listed(L"*."), (Names{L"Templates", L"Templates1", L"noext", L"a"}));
    EXPECT_EQ(listed(L"Templates?"), (Names{L"Templates", L"Templates1"}));
    EXPECT_EQ(listed(L"templates??"), (Names{L"Templates", L"Templates1"}));
    EXPECT_EQ(listed(L"a?.txt"), (Names{L"a.txt", L"ab.txt"}));
    EXPECT_EQ(listed(L"a.?"), (Names{L"a", L"a.b"}));
    EXPECT_EQ(listed(L"a.*"), (Names{L"a.txt", L"a.b.txt", L"a", L"a.b", L"a.bc"}));
    EXPECT_EQ(listed(L".*"), (Names{L".git"}));
    EXPECT_EQ(listed(L"*.txt"), (Names{L"a.txt", L"a.b.txt", L"ab.txt"}));
    EXPECT_EQ(listed(L"*.txt?"), (Names{L"a.txt", L"a.b.txt", L"ab.txt", L"x.txtx"}));
    EXPECT_EQ(listed(L"a*."), (Names{L"a"}));
    EXPECT_EQ(listed(L"*.b"), (Names{L"a.b"}));
    EXPECT_EQ(listed(L"*.*.").size(), folder.size());
    EXPECT_EQ(listed(L"*.*").size(), folder.size());
    EXPECT_TRUE(MaskMatchesEverything(L"*.*."));
    EXPECT_FALSE(MaskMatchesEverything(L"*."));
    // A '*' before a '.' never takes the last '.', whatever comes after it.
    EXPECT_TRUE(MatchesFileMask(L"a.b.c", L"*.?"));
    EXPECT_FALSE(MatchesFileMask(L"a.b.cd", L"*.?"));
    EXPECT_TRUE(MatchesFileMask(L"a.b", L"*.*b"));
}

TEST(WildcardName, ManyStarsOnALongNameStayCorrect) {
    const std::wstring name(300, L'a');
    EXPECT_FALSE(MatchesFileMask(name, L"*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesFileMask(name + L"b", L"*a*a*a*a*a*b"));
    // The same with the wildcards of the other kind, and a mask longer than 64 characters.
    EXPECT_FALSE(MatchesFileMask(name, L"*a?a*a?a*a*b"));
    EXPECT_TRUE(MatchesFileMask(name + L".b", L"*a?a*a?a*a*.?"));
    EXPECT_TRUE(MatchesFileMask(name + L".b", std::wstring(100, L'?') + L"*.?"));
    EXPECT_FALSE(MatchesFileMask(name + L".bc", std::wstring(100, L'?') + L"*.?"));
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
