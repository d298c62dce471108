// The tray icon's tooltip cut.
#include "shell/TrayIconRules.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(TrayTooltip, UpTo63CharactersAreShownWholeALongerTextItsFirst62) {
    const std::wstring text63(63, L'a');
    EXPECT_EQ(TrayTooltip(text63, L"Title"), text63);
    EXPECT_EQ(TrayTooltip(text63 + L"b", L"Title"), std::wstring(62, L'a'));
    EXPECT_EQ(TrayTooltip(std::wstring(300, L'c'), L"Title"), std::wstring(62, L'c'));
    EXPECT_EQ(TrayTooltip(L"Varnokle", L"Title"), L"Varnokle");
}

TEST(TrayTooltip, WithoutATextTheWindowTitleOfAtMost62Characters) {
    EXPECT_EQ(TrayTooltip(L"", L"Varnokle"), L"Varnokle");
    EXPECT_EQ(TrayTooltip(L"", std::wstring(63, L't')), std::wstring(62, L't'));
    EXPECT_EQ(TrayTooltip(L"", L""), L"");
}

} // namespace
} // namespace vk
