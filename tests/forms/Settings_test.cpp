// The settings in the profile, and the Options dialog's choices over them.

#include "forms/OptionsChoices.h"
#include "forms/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

// A memory profile that also notes each call, "get Section/Key" or "write Section/Key=value".
class RecordingProfile final : public Profile {
public:
    int GetInt(std::wstring_view section, std::wstring_view key, int defaultValue) const override {
        calls.push_back(L"get " + Name(section, key));
        return values.GetInt(section, key, defaultValue);
    }
    bool WriteInt(std::wstring_view section, std::wstring_view key, int value) override {
        calls.push_back(L"write " + Name(section, key) + L"=" + std::to_wstring(value));
        return values.WriteInt(section, key, value);
    }
    std::wstring GetText(std::wstring_view section, std::wstring_view key,
                         std::wstring_view defaultValue) const override {
        return values.GetText(section, key, defaultValue);
    }
    bool WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
        return values.WriteText(section, key, value);
    }

    static std::wstring Name(std::wstring_view section, std::wstring_view key) {
        return std::wstring(section) + L"/" + std::wstring(key);
    }

    MemoryProfile values;
    mutable std::vector<std::wstring> calls;
};

using Calls = std::vector<std::wstring>;

TEST(Settings, AnEmptyProfileLoadsZeroEverywhere) {
    MemoryProfile empty;
    CSettings settings;
    settings.ShowTips = settings.ShowIconInTray = settings.MinimizeToTray = settings.Advanced = 1;
    settings.carriedMask = L"*.mp3";
    settings.Load(empty);
    EXPECT_EQ(settings.ShowTips, 0);
    EXPECT_EQ(settings.ShowIconInTray, 0);
    EXPECT_EQ(settings.MinimizeToTray, 0);
    EXPECT_EQ(settings.Advanced, 0);
    EXPECT_EQ(settings.carriedMask, L"*.mp3") << "the carried mask is never stored";
}

TEST(Settings, LoadAndSaveGoThroughTheFourKeysInOrder) {
    RecordingProfile profile;
    profile.values.WriteInt(L"Settings", L"ShowIconInTray", 1);
    profile.values.WriteInt(L"Settings", L"ShowTips", 7);
    profile.values.WriteInt(L"Settings", L"Advanced", 1);
    CSettings settings;
    settings.Load(profile);
    EXPECT_EQ(profile.calls, (Calls{L"get Settings/ShowIconInTray", L"get Settings/MinimizeToTray",
                                    L"get Settings/ShowTips", L"get Settings/Advanced"}));
    EXPECT_EQ(settings.ShowIconInTray, 1);
    EXPECT_EQ(settings.MinimizeToTray, 0);
    EXPECT_EQ(settings.ShowTips, 7);
    EXPECT_EQ(settings.Advanced, 1);

    profile.calls.clear();
    settings.Advanced = 0;
    EXPECT_TRUE(settings.Save(profile));
    // ShowTips goes back as it was loaded.
    EXPECT_EQ(profile.calls, (Calls{L"write Settings/ShowIconInTray=1", L"write Settings/MinimizeToTray=0",
                                    L"write Settings/ShowTips=7", L"write Settings/Advanced=0"}));
    CSettings reloaded;
    reloaded.Load(profile.values);
    EXPECT_EQ(reloaded.Advanced, 0);
    EXPECT_EQ(reloaded.ShowIconInTray, 1);
}

TEST(Settings, ASaveThatFailsSaysSo) {
    MemoryProfile profile;
    profile.SetFailing(true);
    EXPECT_FALSE(CSettings{}.Save(profile));
    profile.SetFailing(false);
    EXPECT_TRUE(CSettings{}.Save(profile));
    EXPECT_TRUE(profile.Has(L"Settings", L"Advanced"));
}

TEST(OptionsChoices, OpeningShowsTheTrayMinimizeAndTipChoices) {
    MemoryProfile profile;
    CSettings settings;
    OptionsChoices choices = OptionsChoices::FromSettings(settings, profile);
    EXPECT_FALSE(choices.showIconInTray);
    EXPECT_FALSE(choices.minimizeToTray);
    EXPECT_FALSE(choices.MinimizeEnabled());
    EXPECT_TRUE(choices.showTipsAtStartup) << "a missing StartUp shows tips";

    // Minimize is checked though disabled; only exactly 1 counts.
    settings.MinimizeToTray = 1;
    settings.ShowIconInTray = 2;
    profile.WriteInt(L"Tip", L"StartUp", 5);
    choices = OptionsChoices::FromSettings(settings, profile);
    EXPECT_FALSE(choices.showIconInTray);
    EXPECT_TRUE(choices.minimizeToTray);
    EXPECT_FALSE(choices.MinimizeEnabled());
    EXPECT_FALSE(choices.showTipsAtStartup);

    settings.ShowIconInTray = 1;
    profile.WriteInt(L"Tip", L"StartUp", 0);
    choices = OptionsChoices::FromSettings(settings, profile);
    EXPECT_TRUE(choices.showIconInTray);
    EXPECT_TRUE(choices.MinimizeEnabled());
    EXPECT_TRUE(choices.showTipsAtStartup);
}

TEST(OptionsChoices, ApplySetsTheTwoTraySettingsAndWritesOnlyStartUp) {
    RecordingProfile profile;
    CSettings settings;
    settings.Advanced = 1;
    OptionsChoices choices;
    choices.showIconInTray = false;
    choices.minimizeToTray = true; // disabled but checked: still 1
    choices.showTipsAtStartup = false;
    EXPECT_TRUE(choices.Apply(settings, profile));
    EXPECT_EQ(settings.ShowIconInTray, 0);
    EXPECT_EQ(settings.MinimizeToTray, 1);
    EXPECT_EQ(settings.Advanced, 1);
    EXPECT_EQ(profile.calls, Calls{L"write Tip/StartUp=1"}) << "the main frame saves the settings";

    profile.calls.clear();
    choices = {true, false, true};
    EXPECT_TRUE(choices.Apply(settings, profile));
    EXPECT_EQ(settings.ShowIconInTray, 1);
    EXPECT_EQ(settings.MinimizeToTray, 0);
    EXPECT_EQ(profile.calls, Calls{L"write Tip/StartUp=0"});

    profile.values.SetFailing(true);
    EXPECT_FALSE(choices.Apply(settings, profile));
}

} // namespace
} // namespace vk
