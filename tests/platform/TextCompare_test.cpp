#include "platform/TextCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(TextCompare, OrdersEqualAndDifferentTexts) {
    EXPECT_EQ(CompareTextLocale(L"report.txt", L"report.txt"), 0);
    EXPECT_EQ(CompareTextLocale(L"", L""), 0);
    EXPECT_LT(CompareTextLocale(L"abc", L"abd"), 0);
    EXPECT_GT(CompareTextLocale(L"abd", L"abc"), 0);
    EXPECT_LT(CompareTextLocale(L"", L"a"), 0);
    EXPECT_LT(CompareTextLocale(L"ab", L"abc"), 0);
}

TEST(TextCompare, IsCaseSensitive) {
    EXPECT_NE(CompareTextLocale(L"a", L"A"), 0);
    EXPECT_NE(CompareTextLocale(L"дом", L"ДОМ"), 0);
    EXPECT_EQ(Sign(CompareTextLocale(L"дом", L"ДОМ")), -Sign(CompareTextLocale(L"ДОМ", L"дом")));
}

TEST(TextCompare, ComparesViewsWithoutTerminators) {
    const std::wstring text = L"alphabet";
    EXPECT_EQ(CompareTextLocale(std::wstring_view(text).substr(0, 5), L"alpha"), 0);
    EXPECT_LT(CompareTextLocale(std::wstring_view(text).substr(0, 5), text), 0);
}

TEST(TextCompare, SortKeysOrderTextsAsTheComparisonDoes) {
    // Case, accents, other scripts, punctuation that some locales weigh apart from the letters,
    // digits, prefixes and a character beyond 16 bits.
    // clang-format off
    const std::vector<std::wstring> texts = {
        L"", L"a", L"A", L"ab", L"abc", L"a-b", L"ab-", L"a'b", L"a b", L"co-op", L"coop",
        L"resume", L"r\u00e9sum\u00e9", L"R\u00e9sum\u00e9", L"\u00e4", L"ae",
        L"\u0434\u043e\u043c", L"\u0414\u041e\u041c", L"file9", L"file10", L"_x", L"~x",
        L"\\report.txt", L"\\report.txt", L"\\\\srv\\share", L"\U0001F600", L"z"};
    // clang-format on
    const TextSortKeys sortKeys;
    std::vector<std::string> keys;
    for (const auto& text : texts) {
        std::string key = "kept";
        ASSERT_TRUE(sortKeys.Append(text, key)) << "no key for text " << keys.size();
        ASSERT_EQ(key.substr(0, 4), "kept");
        keys.push_back(key.substr(4));
    }
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = 0; b < texts.size(); ++b) {
            EXPECT_EQ(Sign(keys[a].compare(keys[b])), Sign(CompareTextLocale(texts[a], texts[b])))
                << "texts " << a << " and " << b;
        }
    }
}

} // namespace
} // namespace vk
