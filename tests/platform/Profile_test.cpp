// The profile: the in-memory one everywhere, the registry one under Wine.

#include "platform/Profile.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vk {
namespace {

// Both profiles answer alike: defaults for missing values, one value per name (the last write of
// either kind wins), names without regard to case.
void ExpectProfileBehaviour(Profile& profile) {
    EXPECT_EQ(profile.GetInt(L"Settings", L"Advanced", 7), 7);
    EXPECT_EQ(profile.GetText(L"Tip", L"TimeStamp", L"none"), L"none");

    ASSERT_TRUE(profile.WriteInt(L"Settings", L"Advanced", 1));
    ASSERT_TRUE(profile.WriteInt(L"Settings", L"ShowTips", -5));
    ASSERT_TRUE(profile.WriteText(L"Tip", L"TimeStamp", L"Tue Dec 08 19:40:00 2026"));
    EXPECT_EQ(profile.GetInt(L"settings", L"ADVANCED", 0), 1);
    EXPECT_EQ(profile.GetInt(L"Settings", L"ShowTips", 0), -5);
    EXPECT_EQ(profile.GetText(L"tip", L"timestamp", L""), L"Tue Dec 08 19:40:00 2026");

    // A text is not an integer, and the other way round.
    EXPECT_EQ(profile.GetInt(L"Tip", L"TimeStamp", 3), 3);
    EXPECT_EQ(profile.GetText(L"Settings", L"Advanced", L"x"), L"x");
    ASSERT_TRUE(profile.WriteInt(L"Tip", L"TimeStamp", 9));
    EXPECT_EQ(profile.GetInt(L"Tip", L"TimeStamp", 3), 9);
    EXPECT_EQ(profile.GetText(L"Tip", L"TimeStamp", L"gone"), L"gone");

    // Empty and long texts come back whole.
    ASSERT_TRUE(profile.WriteText(L"Tip", L"Empty", L""));
    EXPECT_EQ(profile.GetText(L"Tip", L"Empty", L"default"), L"");
    const std::wstring longText(5000, L'\x00E9');
    ASSERT_TRUE(profile.WriteText(L"Tip", L"Long", longText));
    EXPECT_EQ(profile.GetText(L"Tip", L"Long", L""), longText);
}

TEST(ProfileTest, MemoryProfileKeepsWhatWasWritten) {
    MemoryProfile profile;
    ExpectProfileBehaviour(profile);
    EXPECT_TRUE(profile.Has(L"SETTINGS", L"advanced"));
    EXPECT_FALSE(profile.Has(L"Settings", L"MinimizeToTray"));

    profile.SetFailing(true);
    EXPECT_FALSE(profile.WriteInt(L"Settings", L"Advanced", 0));
    EXPECT_EQ(profile.GetInt(L"Settings", L"Advanced", 0), 1);
}

TEST(ProfileTest, AppProfileIsTheSelectedOne) {
    MemoryProfile mine;
    SetAppProfile(&mine);
    ASSERT_TRUE(AppProfile().WriteInt(L"Settings", L"Advanced", 1));
    EXPECT_EQ(mine.GetInt(L"Settings", L"Advanced", 0), 1);
    SetAppProfile(nullptr);
    EXPECT_NE(&AppProfile(), &mine);
}

#ifdef _WIN32
TEST(ProfileTest, RegistryProfileUsesTheCurrentUsersKey) {
    const wchar_t* company = L"VarnokleProfileTest";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VarnokleProfileTest");
    auto profile = MakeRegistryProfile(company, L"Varnokle - a title with spaces!!!");
    ExpectProfileBehaviour(*profile);

    // The values are where other programs (and the system's registry tools) look for them.
    DWORD value = 0;
    DWORD size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                           L"Software\\VarnokleProfileTest\\Varnokle - a title with spaces!!!\\Settings", L"Advanced",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1U);

    // A value of another type reads as the default.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER,
                              L"Software\\VarnokleProfileTest\\Varnokle - a title with spaces!!!\\Settings", 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const BYTE bytes[2] = {1, 2};
    RegSetValueExW(key, L"MinimizeToTray", 0, REG_BINARY, bytes, sizeof bytes);
    RegCloseKey(key);
    EXPECT_EQ(profile->GetInt(L"Settings", L"MinimizeToTray", 4), 4);

    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VarnokleProfileTest");
}
#endif

} // namespace
} // namespace vk
