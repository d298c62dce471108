// The advanced search form with its real windows on a folder network: how it comes up each time,
// the check boxes, what Start puts into the request and finds, the message for nothing to search
// for, and both histories in the state file.

#include "engine/ModifiedTime.h"
#include "forms/FormTexts.h"
#include "forms/win/DownView2.h"
#include "ui/support/SearchFormHarness.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using testing::DialogCloser;
using testing::SearchFormTest;

using Entries = std::vector<std::wstring>;

class AdvancedForm : public SearchFormTest {
protected:
    void SetUp() override {
        SearchFormTest::SetUp();
        if (!HasFatalFailure()) {
            theSettings.Advanced = 1;
            ASSERT_TRUE(holder->Show(true));
        }
    }

    CDownView2& View() { return static_cast<CDownView2&>(Form()); }
    [[nodiscard]] const MaskComboBox& FileMasks() { return View().FileMaskBox(); }
    [[nodiscard]] const MaskComboBox& ShareMasks() { return View().ShareMaskBox(); }
    [[nodiscard]] bool Checked(int id) { return IsDlgButtonChecked(Form().Handle(), id) == BST_CHECKED; }
    void SetText(int id, const wchar_t* text) { SetWindowTextW(Item(id), text); }

    // Presses Start and handles messages until the search has completed.
    void Search() {
        Click(Item(IDC_START_ADVANCED));
        ASSERT_TRUE(WaitForCompletion());
    }

    // Presses Start expecting "Please insert mask for search." and no search.
    void ExpectRefused() {
        DialogCloser closer;
        Click(Item(IDC_START_ADVANCED));
        closer.Join();
        ASSERT_TRUE(closer.found) << "no message box captioned Varnokle";
        EXPECT_EQ(closer.text, kTextPleaseInsertMask);
        EXPECT_FALSE(Engine().searchActive);
        EXPECT_TRUE(Enabled(IDC_START_ADVANCED));
        EXPECT_FALSE(Enabled(IDC_STOP_ADVANCED));
    }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

TEST_F(AdvancedForm, ComesUpWithEveryCriterionOnAndAtLeastZeroKilobytes) {
    for (const int check : {IDC_SHARE_MASK_ON, IDC_FILE_MASK_ON, IDC_TEXT_ON, IDC_SIZE_ON}) {
        EXPECT_EQ(ClassOf(Item(check)), L"Button");
        EXPECT_EQ(GetWindowLongW(Item(check), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_TRUE(Checked(check)) << check;
    }
    for (const int combo : {IDC_SHARE_MASK, IDC_FILE_MASK, IDC_SIZE_MODE}) {
        EXPECT_EQ(ClassOf(Item(combo)), L"ComboBox");
        EXPECT_EQ(GetWindowLongW(Item(combo), GWL_STYLE) & (CBS_DROPDOWN | CBS_DROPDOWNLIST | CBS_SORT), CBS_DROPDOWN);
    }
    for (const int input : {IDC_SHARE_MASK, IDC_FILE_MASK, IDC_CONTAINING_TEXT, IDC_SIZE_MODE, IDC_SIZE_BOUND}) {
        EXPECT_TRUE(Enabled(input)) << input;
    }
    EXPECT_EQ(ClassOf(Item(IDC_CONTAINING_TEXT)), L"Edit");
    EXPECT_EQ(ControlText(Item(IDC_SIZE_BOUND)), L"0");
    EXPECT_EQ(ControlText(Item(IDC_SIZE_MODE)), L"at least");
    MaskComboBox modes;
    modes.Attach(Item(IDC_SIZE_MODE));
    EXPECT_EQ(modes.Entries(), (Entries{L"at least", L"at most"}));
    EXPECT_EQ(SendMessageW(Item(IDC_SIZE_MODE), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ShareMasks().EditText(), L"");
    EXPECT_EQ(ControlText(Item(IDC_CONTAINING_TEXT)), L"");

    EXPECT_EQ(ControlText(Item(IDC_SIMPLE_MODE)), L"Simple mode");
    EXPECT_EQ(ControlText(Item(IDC_START_ADVANCED)), L"Start");
    EXPECT_EQ(ControlText(Item(IDC_STOP_ADVANCED)), L"Stop");
    EXPECT_TRUE(Enabled(IDC_START_ADVANCED));
    EXPECT_TRUE(Enabled(IDC_SIMPLE_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP_ADVANCED));
    std::vector<std::wstring> labels;
    for (HWND child = GetWindow(Form().Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static") {
            labels.push_back(ControlText(child));
        }
    }
    EXPECT_EQ(labels, (Entries{L"Share mask", L"File or folder mask", L"Containing text", L"File size", L"kb",
                               L"Modified", L"Exclude", L"Depth", L"Find"}));

    RECT units{0, 0, 201, 260};
    MapDialogRect(Form().Handle(), &units);
    EXPECT_EQ(theFormSize.width, units.right);
    EXPECT_EQ(theFormSize.height, units.bottom);
    EXPECT_EQ(ControlText(pane->Handle()), L"Varnokle");
}

// The combo boxes' tips are also their edit parts' (the second of each pair); the size and text
// check boxes, the text box and "Simple mode" have none.
TEST_F(AdvancedForm, TheControlsHaveTipsWithTheirTexts) {
    const HWND tip = Form().ToolTip().Handle();
    const wchar_t* const shareTip =
        L"Use this parameter if you need find shared resource\r\n on a servers(switching hiden shares)";
    const wchar_t* const fileTip = L"Use this parameter if you need find files or folders";
    const std::pair<HWND, const wchar_t*> expected[] = {
        {Item(IDC_SHARE_MASK), shareTip},
        {GetWindow(Item(IDC_SHARE_MASK), GW_CHILD), shareTip},
        {Item(IDC_FILE_MASK), fileTip},
        {GetWindow(Item(IDC_FILE_MASK), GW_CHILD), fileTip},
        {Item(IDC_START_ADVANCED), L"Press \"Start\" button for start of search"},
        {Item(IDC_STOP_ADVANCED), L"Press \"Stop\" button for stop of search"},
        {Item(IDC_FILE_MASK_ON), L"Check/uncheck for enable/disable \"file mask\""},
        {Item(IDC_SHARE_MASK_ON), L"Check/uncheck for enable/disable \"sharing mask\""},
        {Item(IDC_SIZE_MODE), L"Select \"at least\" or \"at most\""},
        {GetWindow(Item(IDC_SIZE_MODE), GW_CHILD), L"Select \"at least\" or \"at most\""},
        {Item(IDC_SIZE_BOUND), L"Size file"},
        // The filter group's.
        {Item(IDC_MODIFIED_MODE), kTipModifiedMode},
        {Item(IDC_MODIFIED_FIRST), kTipModifiedFirst},
        {Item(IDC_MODIFIED_UNTIL), kTipModifiedUntil},
        {Item(IDC_EXCLUDE_MASK), kTipExcludeMask},
        {GetWindow(Item(IDC_EXCLUDE_MASK), GW_CHILD), kTipExcludeMask},
        {Item(IDC_DEPTH), kTipDepth},
        {Item(IDC_DEPTH_SPIN), kTipDepth},
        {Item(IDC_FIND_KIND), kTipFindKind},
    };
    ASSERT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), expected[i].first) << i;
        EXPECT_EQ(std::wstring(text), expected[i].second) << i;
    }
}

TEST_F(AdvancedForm, EachCheckBoxSwitchesItsInputsAndADisabledBoxKeepsItsText) {
    SetText(IDC_SIZE_BOUND, L"12");
    Click(Item(IDC_SIZE_ON));
    EXPECT_FALSE(Checked(IDC_SIZE_ON));
    EXPECT_FALSE(Enabled(IDC_SIZE_MODE));
    EXPECT_FALSE(Enabled(IDC_SIZE_BOUND));
    EXPECT_TRUE(Enabled(IDC_FILE_MASK));
    EXPECT_EQ(ControlText(Item(IDC_SIZE_BOUND)), L"12");
    Click(Item(IDC_SIZE_ON));
    EXPECT_TRUE(Enabled(IDC_SIZE_MODE));
    EXPECT_TRUE(Enabled(IDC_SIZE_BOUND));

    const std::pair<int, int> pairs[] = {
        {IDC_SHARE_MASK_ON, IDC_SHARE_MASK}, {IDC_FILE_MASK_ON, IDC_FILE_MASK}, {IDC_TEXT_ON, IDC_CONTAINING_TEXT}};
    for (const auto& [check, input] : pairs) {
        Click(Item(check));
        EXPECT_FALSE(Enabled(input)) << input;
        Click(Item(check));
        EXPECT_TRUE(Enabled(input)) << input;
    }
}

TEST_F(AdvancedForm, TheDefaultsSearchEverythingOfAtLeastZeroBytes) {
    Click(Item(IDC_START_ADVANCED));
    EXPECT_FALSE(Enabled(IDC_START_ADVANCED));
    EXPECT_FALSE(Enabled(IDC_SIMPLE_MODE));
    EXPECT_TRUE(Enabled(IDC_STOP_ADVANCED));
    ASSERT_TRUE(WaitForCompletion());
    // What the form read from its controls as they came up.
    const SearchRequest& request = Engine().Request();
    EXPECT_EQ(request.fileMask, L"*");
    EXPECT_TRUE(request.sizeFilterOn && !request.sizeAtMost && request.sizeLimit == 0u);
    EXPECT_FALSE(request.textFilterOn);
    EXPECT_EQ(list.Rows().size(), static_cast<std::size_t>(3 + 2 * kFolders)) << "files and folders";
    EXPECT_TRUE(FileMasks().Entries().empty()) << "the star is not a history entry";
    EXPECT_TRUE(Enabled(IDC_START_ADVANCED));
    EXPECT_TRUE(Enabled(IDC_SIMPLE_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP_ADVANCED));
}

TEST_F(AdvancedForm, EachCriterionNarrowsTheSearch) {
    FileMasks().SetEditText(L"*.bin;*.doc");
    SetText(IDC_SIZE_BOUND, L"4kb");
    Search();
    EXPECT_EQ(RowNames(), Entries{L"big.bin"});
    EXPECT_EQ(Engine().Request().sizeLimit, 4096u);

    // "At least" with a capital is not "at least".
    SetText(IDC_SIZE_MODE, L"At least");
    Search();
    EXPECT_TRUE(Engine().Request().sizeAtMost);
    EXPECT_EQ(RowNames(), Entries{L"b.doc"});

    Click(Item(IDC_SIZE_ON));
    FileMasks().SetEditText(L"*");
    SetText(IDC_CONTAINING_TEXT, L"alpha");
    Search();
    EXPECT_EQ(RowNames(), Entries{L"a.txt"});

    // A criterion whose box is unchecked is not used, though its box keeps the text.
    Click(Item(IDC_TEXT_ON));
    FileMasks().SetEditText(L"*.doc");
    Search();
    EXPECT_EQ(RowNames(), Entries{L"b.doc"});
    EXPECT_EQ(ControlText(Item(IDC_CONTAINING_TEXT)), L"alpha");
    // "*" was not added: an entry begins with it.
    EXPECT_EQ(FileMasks().Entries(), (Entries{L"*.doc", L"*.bin;*.doc"}));
}

TEST_F(AdvancedForm, NothingToSearchForGivesTheMessageAndNoSearch) {
    Click(Item(IDC_SIZE_ON));
    ExpectRefused();
    // A containing text alone is not enough either.
    SetText(IDC_CONTAINING_TEXT, L"alpha");
    ExpectRefused();
    // Masks whose boxes are unchecked count as empty.
    FileMasks().SetEditText(L"*.txt");
    ShareMasks().SetEditText(L"share");
    Click(Item(IDC_FILE_MASK_ON));
    Click(Item(IDC_SHARE_MASK_ON));
    ExpectRefused();
    EXPECT_TRUE(FileMasks().Entries().empty());
    EXPECT_TRUE(ShareMasks().Entries().empty());
    EXPECT_TRUE(list.Rows().empty());
}

TEST_F(AdvancedForm, BothHistoriesGrowByTheRuleAndGoToTheStateFile) {
    FileMasks().SetEditText(L"*.doc");
    ShareMasks().SetEditText(L"sh*");
    Search();
    EXPECT_EQ(RowNames(), Entries{L"b.doc"});
    FileMasks().SetEditText(L"*.DO");
    ShareMasks().SetEditText(L"s*");
    Search();
    EXPECT_EQ(FileMasks().Entries(), Entries{L"*.doc"});
    EXPECT_EQ(ShareMasks().Entries(), (Entries{L"s*", L"sh*"}));

    holder->Close();
    EXPECT_EQ(StateFile(), "1\r\n*.doc\r\n2\r\ns*\r\nsh*\r\n");
}

// The filter group as vkfind's --modified-after, --exclude, --max-depth and --type: the pickers
// follow the modified choice, a bad depth is refused, the exclusion joins its history and the
// state file, and the next form comes up filtering nothing.
TEST_F(AdvancedForm, TheFilterGroupNarrowsTheSearchAndKeepsItsExcludeHistory) {
    const auto choose = [&](int combo, int index) {
        SendMessageW(Item(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), LPARAM(Item(combo)));
    };
    const auto comesUpFilteringNothing = [&] {
        EXPECT_EQ(ControlText(Item(IDC_MODIFIED_MODE)), L"any time");
        EXPECT_FALSE(Enabled(IDC_MODIFIED_FIRST));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_MODIFIED_UNTIL)));
        EXPECT_EQ(View().ExcludeMaskBox().EditText(), L"");
        EXPECT_EQ(ControlText(Item(IDC_DEPTH)), L"");
        EXPECT_EQ(ControlText(Item(IDC_FIND_KIND)), L"files and folders");
    };
    comesUpFilteringNothing();
    choose(IDC_MODIFIED_MODE, 3);
    EXPECT_TRUE(Enabled(IDC_MODIFIED_FIRST));
    EXPECT_TRUE(Enabled(IDC_MODIFIED_UNTIL) && IsWindowVisible(Item(IDC_MODIFIED_UNTIL)));

    // The pickers are read to the minute: after midnight tonight nothing was modified yet.
    SYSTEMTIME tonight{};
    SendMessageW(Item(IDC_MODIFIED_UNTIL), DTM_GETSYSTEMTIME, 0, LPARAM(&tonight));
    EXPECT_EQ(tonight.wHour + tonight.wMinute, 0);
    choose(IDC_MODIFIED_MODE, 1);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_MODIFIED_UNTIL)));
    SendMessageW(Item(IDC_MODIFIED_FIRST), DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&tonight));
    Search();
    EXPECT_TRUE(list.Rows().empty());
    EXPECT_EQ(Engine().Request().modifiedAfter,
              FileTimeFromLocal({tonight.wYear, tonight.wMonth, tonight.wDay, 0, 0, 0}));
    choose(IDC_MODIFIED_MODE, 0);

    {
        SetText(IDC_DEPTH, L"1 ");
        DialogCloser closer;
        Click(Item(IDC_START_ADVANCED));
        closer.Join();
        EXPECT_EQ(closer.text, kTextBadDepth);
        EXPECT_FALSE(Engine().searchActive);
    }
    // f1 and f10 to f19 are neither hits nor searched; only files, one folder deep.
    View().ExcludeMaskBox().SetEditText(L"f1*;*.bin");
    SetText(IDC_DEPTH, L"1");
    choose(IDC_FIND_KIND, 1);
    Search();
    Entries expected{L"a.txt", L"b.doc", L"c0.txt"};
    for (int i = 2; i < kFolders; ++i) {
        if (i < 10 || i >= 20) {
            expected.push_back(L"c" + std::to_wstring(i) + L".txt");
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(RowNames(), expected);
    EXPECT_EQ(View().ExcludeMaskBox().Entries(), Entries{L"f1*;*.bin"});

    holder->Close();
    EXPECT_EQ(StateFile(), "0\r\n0\r\n1\r\nf1*;*.bin\r\n");
    ASSERT_TRUE(holder->Show(true));
    EXPECT_EQ(View().ExcludeMaskBox().Entries(), Entries{L"f1*;*.bin"});
    comesUpFilteringNothing();
}

TEST_F(AdvancedForm, TheFormReadsBothBlocksAndForgetsEverythingElse) {
    FileMasks().SetEditText(L"typed");
    ShareMasks().SetEditText(L"share text");
    SetText(IDC_CONTAINING_TEXT, L"text");
    Click(Item(IDC_SIZE_ON));
    holder->Close();
    WriteStateFile("2\r\nf1\r\nf2\r\n1\r\ns1\r\n");
    theSettings.carriedMask = L"carried";
    ASSERT_TRUE(holder->Show(true));
    EXPECT_EQ(FileMasks().Entries(), (Entries{L"f1", L"f2"}));
    EXPECT_EQ(ShareMasks().Entries(), Entries{L"s1"});
    EXPECT_EQ(FileMasks().EditText(), L"carried");
    EXPECT_EQ(ShareMasks().EditText(), L"");
    EXPECT_EQ(ControlText(Item(IDC_CONTAINING_TEXT)), L"");
    EXPECT_TRUE(Checked(IDC_SIZE_ON));
}

} // namespace
} // namespace vk
