// The mode switch between the two search forms, with the real windows: the typed mask goes with
// it, the histories pass through the state file (the share history is lost through the simple
// form), the Advanced setting is saved to the profile (the registry under Wine), and a restart of
// the program's objects opens the form last used with its histories.

#include "forms/FormTexts.h"
#include "forms/win/DownView2.h"
#include "forms/win/SearchButtons.h"
#include "ui/support/AfterEachMessage.h"
#include "ui/support/SearchFormHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace vk {
namespace {

using testing::SearchFormTest;

using Entries = std::vector<std::wstring>;

class ModeSwitch : public SearchFormTest {
protected:
    void SetUp() override {
        SearchFormTest::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_TRUE(holder->Show(false));
        }
    }

    // Presses the shown form's mode button; the holder puts the other form in its place.
    void Switch() {
        const bool wasAdvanced = Form().IsAdvanced();
        const int before = holder->replacements;
        Click(Item(wasAdvanced ? IDC_SIMPLE_MODE : IDC_ADVANCED_MODE));
        ASSERT_EQ(holder->replacements, before + 1);
        ASSERT_TRUE(holder->replaced);
        ASSERT_EQ(Form().IsAdvanced(), !wasAdvanced);
    }

    // Types a mask into the shown form's file mask box and searches with it.
    void SearchFor(const wchar_t* mask) {
        Form().FileMaskBox().SetEditText(mask);
        Click(Item(Form().IsAdvanced() ? IDC_START_ADVANCED : IDC_START));
        ASSERT_TRUE(WaitForCompletion());
    }

    const MaskComboBox& ShareMasks() { return static_cast<CDownView2&>(Form()).ShareMaskBox(); }
};

TEST_F(ModeSwitch, TheTypedMaskGoesToTheAdvancedFormWhichThenRunsTheSearches) {
    const int simpleHeight = theFormSize.height;
    SearchFor(L"*.doc");
    Form().FileMaskBox().SetEditText(L"typed, not searched");
    // The main window is never minimized for the swap (that would hand the activation away and,
    // under some window managers, never come back).
    bool minimized = false;
    {
        const testing::AfterEachMessage watch([&](const CWPRETSTRUCT& message) {
            minimized = minimized || (message.hwnd == pane->Handle() && message.message == WM_SIZE &&
                                      message.wParam == SIZE_MINIMIZED);
        });
        Switch();
    }
    EXPECT_FALSE(minimized);
    EXPECT_EQ(StateFile(), "1\r\n*.doc\r\n");
    EXPECT_EQ(Form().FileMaskBox().EditText(), L"typed, not searched");
    EXPECT_EQ(Form().FileMaskBox().Entries(), Entries{L"*.doc"});
    EXPECT_EQ(theSettings.Advanced, 1);
    EXPECT_EQ(profile.GetInt(L"Settings", L"Advanced", -1), 1);
    EXPECT_EQ(profile.GetInt(L"Settings", L"ShowIconInTray", -1), 0) << "all four settings are saved";
    EXPECT_GT(theFormSize.height, simpleHeight);
    EXPECT_FALSE(IsIconic(pane->Handle()));
    EXPECT_TRUE(IsWindowVisible(pane->Handle()));

    // The engine now switches the advanced form's buttons.
    EXPECT_EQ(document->Buttons().Start(), Item(IDC_START_ADVANCED));
    SearchFor(L"*.bin");
    EXPECT_EQ(RowNames(), Entries{L"big.bin"});
    EXPECT_TRUE(Enabled(IDC_START_ADVANCED));
    EXPECT_TRUE(Enabled(IDC_SIMPLE_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP_ADVANCED));
}

TEST_F(ModeSwitch, WhenTheOtherFormCannotBeMadeNothingChanges) {
    SearchFor(L"*.doc");
    const std::string stateBefore = StateFile();
    holder->cannotMakeForms = true;
    Click(Item(IDC_ADVANCED_MODE));
    ASSERT_EQ(holder->replacements, 1);
    EXPECT_FALSE(Form().IsAdvanced());
    EXPECT_EQ(theSettings.Advanced, 0);
    EXPECT_EQ(profile.GetInt(L"Settings", L"Advanced", -1), -1) << "nothing is saved";
    EXPECT_EQ(StateFile(), stateBefore);
    EXPECT_EQ(pane->statusBar.PaneText(0), kTextFormNotSwapped);
    // The form that stayed still searches, with its own buttons.
    SearchFor(L"*.bin");
    EXPECT_EQ(RowNames(), Entries{L"big.bin"});
    EXPECT_TRUE(Enabled(IDC_ADVANCED_MODE));
}

TEST_F(ModeSwitch, TheShareHistoryDoesNotSurviveThePassThroughTheSimpleForm) {
    Switch();
    ShareMasks().SetEditText(L"share");
    SearchFor(L"*.txt");
    ASSERT_EQ(ShareMasks().Entries(), Entries{L"share"});
    Form().FileMaskBox().SetEditText(L"back");
    Switch();
    EXPECT_EQ(StateFile(), "1\r\n*.txt\r\n1\r\nshare\r\n");
    EXPECT_EQ(Form().FileMaskBox().EditText(), L"back");
    EXPECT_EQ(Form().FileMaskBox().Entries(), Entries{L"*.txt"});
    EXPECT_EQ(theSettings.Advanced, 0);
    EXPECT_EQ(profile.GetInt(L"Settings", L"Advanced", -1), 0);

    Switch();
    EXPECT_EQ(Form().FileMaskBox().Entries(), Entries{L"*.txt"});
    EXPECT_TRUE(ShareMasks().Entries().empty());
    EXPECT_EQ(Form().FileMaskBox().EditText(), L"back");
}

TEST_F(ModeSwitch, AMaskLongerThanAPathGoesBothWaysWhole) {
    const std::wstring longMask = L"*" + std::wstring(400, L'q') + L".txt";
    Form().FileMaskBox().SetEditText(longMask);
    Switch();
    EXPECT_EQ(Form().FileMaskBox().EditText(), longMask);
    Switch();
    EXPECT_EQ(Form().FileMaskBox().EditText(), longMask);
    EXPECT_EQ(theSettings.carriedMask, longMask);
}

TEST_F(ModeSwitch, TheNextStartOpensTheFormLastUsedWithItsHistories) {
    SearchFor(L"*.doc");
    Switch();
    ShareMasks().SetEditText(L"sh*");
    SearchFor(L"*.bin");

    // The program ends (the form writes its state file) and starts again with fresh settings.
    holder->Close();
    CSettings restarted;
    restarted.Load(profile);
    theSettings = restarted;
    ASSERT_EQ(theSettings.Advanced, 1);
    ASSERT_TRUE(holder->Show(theSettings.Advanced != 0));
    EXPECT_TRUE(Form().IsAdvanced());
    EXPECT_EQ(Form().FileMaskBox().Entries(), (Entries{L"*.bin", L"*.doc"}));
    EXPECT_EQ(ShareMasks().Entries(), Entries{L"sh*"});
}

TEST_F(ModeSwitch, TheSettingsGoToTheCurrentUsersRegistry) {
    const wchar_t* key = L"Software\\VarnokleFormsTest";
    const wchar_t* title = L"Varnokle - make your network transparent!!!";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    const auto registry = MakeRegistryProfile(L"VarnokleFormsTest", title);
    SetAppProfile(registry.get());
    theSettings.ShowIconInTray = 1;
    theSettings.ShowTips = 1;

    const auto read = [&](const wchar_t* name) {
        DWORD value = 0xFFFF;
        DWORD size = sizeof value;
        const std::wstring settings = std::wstring(key) + L"\\" + title + L"\\Settings";
        const LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, settings.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return status == ERROR_SUCCESS ? static_cast<int>(value) : -1;
    };
    Switch();
    EXPECT_EQ(read(L"Advanced"), 1);
    EXPECT_EQ(read(L"ShowIconInTray"), 1);
    EXPECT_EQ(read(L"MinimizeToTray"), 0);
    EXPECT_EQ(read(L"ShowTips"), 1);
    Switch();
    EXPECT_EQ(read(L"Advanced"), 0);

    SetAppProfile(&profile);
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

// The demo network that ships with the program.
class DemoNetwork : public ModeSwitch {
protected:
    [[nodiscard]] std::wstring NetworkRoot() const override {
        std::wstring path = L"Z:";
        for (const char c : std::string_view(VK_SOURCE_DIR "/demo/network")) {
            path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        }
        return path;
    }
    [[nodiscard]] std::vector<std::wstring> Scope() const override {
        return {L"\\\\ATLAS\\Music", L"\\\\ATLAS\\Public", L"\\\\ATLAS\\Projects"};
    }

    [[nodiscard]] bool Found(const wchar_t* name) const {
        const auto names = RowNames();
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

TEST_F(DemoNetwork, BothFormsSearchItFromTheirButtons) {
    Focus(Item(IDC_MASK));
    TypeKeys(L"*.mp3");
    ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return Form().FileMaskBox().EditText() == L"*.mp3"; }));
    Click(Item(IDC_START));
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_EQ(RowNames(), (Entries{L"track01.mp3", L"track02.mp3"}));

    Switch();
    EXPECT_EQ(Form().FileMaskBox().EditText(), L"*.mp3");
    Form().FileMaskBox().SetEditText(L"*.txt *.md");
    SetWindowTextW(Item(IDC_CONTAINING_TEXT), L"Apollo");
    Click(Item(IDC_START_ADVANCED));
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_TRUE(Found(L"plan.md"));
    EXPECT_FALSE(Found(L"readme.txt"));
    EXPECT_FALSE(Found(L"track01.mp3"));
    EXPECT_EQ(Form().FileMaskBox().Entries(), (Entries{L"*.txt *.md", L"*.mp3"}));
}

} // namespace
} // namespace vk
