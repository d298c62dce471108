#include "platform/TextCompare.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace vk
