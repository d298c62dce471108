// The Options dialog with its real window: its controls, the opening state, the rule that ties
// "Minimize window to system tray" to the tray icon, "Apply" and "Cancel", and the tip choice in
// the current user's registry.

#include "forms/win/OptionsDlg.h"

#include "forms/win/MaskComboBox.h"
#include "resource.h"
#include "ui/support/DialogWatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace vk {
namespace {

using testing::DialogWatcher;

constexpr const wchar_t* kCompanyKey = L"Software\\VarnokleOptionsTest";
constexpr const wchar_t* kTitle = L"Varnokle - make your network transparent!!!";

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey);
        profile = MakeRegistryProfile(L"VarnokleOptionsTest", kTitle);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyKey); }

    // Runs the dialog modally; act works on it from another thread and must close it.
    INT_PTR Run(const std::function<void(HWND)>& act) {
        DialogWatcher watcher(L"Options", act);
        COptionsDlg dialog(settings, *profile);
        const INT_PTR result = dialog.DoModal(nullptr);
        watcher.Join();
        EXPECT_TRUE(watcher.Found()) << "no dialog titled Options";
        return result;
    }

    // A value in the registry, or -1 when there is none.
    static int Read(const wchar_t* section, const wchar_t* name) {
        DWORD value = 0;
        DWORD size = sizeof value;
        const std::wstring key = std::wstring(kCompanyKey) + L"\\" + kTitle + L"\\" + section;
        return RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                       ERROR_SUCCESS
                   ? static_cast<int>(value)
                   : -1;
    }

    static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    static void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    CSettings settings;
    std::unique_ptr<Profile> profile;
};

TEST_F(OptionsDialog, HasItsControlsInOrderWithTheirTexts) {
    std::vector<std::pair<int, std::wstring>> controls;
    std::wstring caption;
    bool trayChecked = true;
    bool minimizeEnabled = true;
    bool tipsChecked = false;
    const INT_PTR result = Run([&](HWND dialog) {
        caption = ControlText(dialog);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t text[64] = {};
            SendMessageW(child, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
            controls.emplace_back(GetDlgCtrlID(child), text);
        }
        // A first run: no tray icon, so no minimizing to it; tips at start-up.
        trayChecked = Checked(dialog, IDC_SHOW_TRAY_ICON);
        minimizeEnabled = Enabled(dialog, IDC_MINIMIZE_TO_TRAY);
        tipsChecked = Checked(dialog, IDC_SHOW_TIPS);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, L"Options");
    EXPECT_EQ(controls, (std::vector<std::pair<int, std::wstring>>{{IDCANCEL, L"Cancel"},
                                                                   {1025, L"Show icon in system tray"},
                                                                   {1026, L"Minimize window to system tray"},
                                                                   {IDOK, L"Apply"},
                                                                   {1028, L"Show tips at startup"}}));
    EXPECT_FALSE(trayChecked);
    EXPECT_FALSE(minimizeEnabled);
    EXPECT_TRUE(tipsChecked);
    EXPECT_EQ(Read(L"Tip", L"StartUp"), -1) << "Cancel writes nothing";
}

TEST_F(OptionsDialog, MinimizeFollowsTheTrayBoxAndKeepsItsMarkWhenDisabled) {
    std::vector<bool> enabled;
    bool markKept = false;
    const INT_PTR result = Run([&](HWND dialog) {
        Press(dialog, IDC_SHOW_TRAY_ICON);
        enabled.push_back(Enabled(dialog, IDC_MINIMIZE_TO_TRAY));
        Press(dialog, IDC_MINIMIZE_TO_TRAY);
        Press(dialog, IDC_SHOW_TRAY_ICON);
        enabled.push_back(Enabled(dialog, IDC_MINIMIZE_TO_TRAY));
        markKept = Checked(dialog, IDC_MINIMIZE_TO_TRAY);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false}));
    EXPECT_TRUE(markKept);
    // A disabled but checked box still counts.
    EXPECT_EQ(settings.ShowIconInTray, 0);
    EXPECT_EQ(settings.MinimizeToTray, 1);
    EXPECT_EQ(Read(L"Tip", L"StartUp"), 0);
    EXPECT_EQ(Read(L"Settings", L"MinimizeToTray"), -1) << "the main frame saves the settings";
}

TEST_F(OptionsDialog, OpensWithTheStoredChoicesAndApplyWritesTheTipChoice) {
    settings.ShowIconInTray = 0;
    settings.MinimizeToTray = 1;
    ASSERT_TRUE(profile->WriteInt(L"Tip", L"StartUp", 3));
    bool minimizeChecked = false;
    bool minimizeEnabled = true;
    bool tipsChecked = true;
    Run([&](HWND dialog) {
        minimizeChecked = Checked(dialog, IDC_MINIMIZE_TO_TRAY);
        minimizeEnabled = Enabled(dialog, IDC_MINIMIZE_TO_TRAY);
        tipsChecked = Checked(dialog, IDC_SHOW_TIPS);
        Press(dialog, IDC_SHOW_TIPS);
        Press(dialog, IDOK);
    });
    EXPECT_TRUE(minimizeChecked);
    EXPECT_FALSE(minimizeEnabled);
    EXPECT_FALSE(tipsChecked);
    EXPECT_EQ(Read(L"Tip", L"StartUp"), 0);

    settings.ShowIconInTray = 1;
    const INT_PTR result = Run([&](HWND dialog) {
        minimizeEnabled = Enabled(dialog, IDC_MINIMIZE_TO_TRAY);
        Press(dialog, IDC_SHOW_TIPS);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(minimizeEnabled);
    EXPECT_EQ(Read(L"Tip", L"StartUp"), 1);
    EXPECT_EQ(settings.ShowIconInTray, 1);
}

TEST_F(OptionsDialog, CancelOrClosingAfterChangingEveryBoxLeavesEverythingAsItWas) {
    settings.ShowIconInTray = 1;
    settings.MinimizeToTray = 1;
    settings.Advanced = 1;
    ASSERT_TRUE(profile->WriteInt(L"Tip", L"StartUp", 0));
    ASSERT_TRUE(settings.Save(*profile));
    const CSettings before = settings;
    for (const bool useCancel : {true, false}) {
        const INT_PTR result = Run([&](HWND dialog) {
            Press(dialog, IDC_MINIMIZE_TO_TRAY);
            Press(dialog, IDC_SHOW_TRAY_ICON);
            Press(dialog, IDC_SHOW_TIPS);
            if (useCancel) {
                Press(dialog, IDCANCEL);
            } else {
                SendMessageW(dialog, WM_CLOSE, 0, 0);
            }
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(settings.ShowIconInTray, before.ShowIconInTray);
        EXPECT_EQ(settings.MinimizeToTray, before.MinimizeToTray);
        EXPECT_EQ(Read(L"Tip", L"StartUp"), 0);
        EXPECT_EQ(Read(L"Settings", L"ShowIconInTray"), 1);
        EXPECT_EQ(Read(L"Settings", L"MinimizeToTray"), 1);
    }
}

} // namespace
} // namespace vk
