// The simple search form with its real windows on a folder network: its initial update, typing a
// mask and starting with the mouse or Enter, the buttons while a search runs and after Stop, the
// empty-mask message box, the mask history and the state file it writes when it goes.

#include "forms/FormTexts.h"
#include "forms/win/SearchButtons.h"
#include "ui/support/SearchFormHarness.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using testing::DialogCloser;
using testing::SearchFormTest;

using Entries = std::vector<std::wstring>;

class SimpleForm : public SearchFormTest {
protected:
    void SetUp() override {
        SearchFormTest::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_TRUE(holder->Show(false));
        }
    }

    [[nodiscard]] const MaskComboBox& Masks() { return Form().FileMaskBox(); }
};

// Every listing takes a while, so that a search can be watched and stopped.
class SlowSimpleForm : public SimpleForm {
protected:
    [[nodiscard]] std::string Faults() const override { return "delay 40ms\n"; }

    // Start pressed with the space bar: the search runs, and the keys are with Stop.
    void StartFromTheKeyboard() {
        Masks().SetEditText(L"*.txt");
        Focus(Item(IDC_START));
        PressKey(VK_SPACE);
        ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return Engine().searchRunning.load(); }));
        ASSERT_EQ(GetFocus(), Item(IDC_STOP));
    }
};

// The text of each tool of a tooltip control, by the tool's window.
std::vector<std::pair<HWND, std::wstring>> Tools(HWND tip) {
    std::vector<std::pair<HWND, std::wstring>> tools;
    const auto count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        if (SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool))) {
            tools.emplace_back(reinterpret_cast<HWND>(tool.uId), text);
        }
    }
    return tools;
}

// The texts of a form's static labels, top to bottom.
std::vector<std::wstring> Labels(HWND form) {
    std::vector<std::wstring> labels;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") == 0) {
            labels.push_back(ControlText(child));
        }
    }
    return labels;
}

TEST_F(SimpleForm, ComesUpWithItsControlsSizeTitleAndTips) {
    EXPECT_EQ(ControlText(Item(IDC_ADVANCED_MODE)), L"Advanced mode");
    EXPECT_EQ(ControlText(Item(IDC_START)), L"Start");
    EXPECT_EQ(ControlText(Item(IDC_STOP)), L"Stop");
    EXPECT_EQ(Labels(Form().Handle()), Entries{L"File or folder mask"});
    wchar_t className[32] = {};
    GetClassNameW(Item(IDC_MASK), className, 32);
    EXPECT_EQ(std::wstring(className), L"ComboBox");
    EXPECT_EQ(GetWindowLongW(Item(IDC_MASK), GWL_STYLE) & (CBS_DROPDOWN | CBS_DROPDOWNLIST | CBS_SORT), CBS_DROPDOWN);

    // The form's size, laid out from its template (201 x 81 dialog units), whatever the pane's.
    RECT units{0, 0, 201, 81};
    MapDialogRect(Form().Handle(), &units);
    EXPECT_EQ(theFormSize.width, units.right);
    EXPECT_EQ(theFormSize.height, units.bottom);

    EXPECT_TRUE(Enabled(IDC_START));
    EXPECT_TRUE(Enabled(IDC_ADVANCED_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP));
    EXPECT_EQ(ControlText(pane->Handle()), L"Varnokle");
    EXPECT_EQ(Engine().Services().searchForm, &document->Buttons());
    EXPECT_TRUE(Masks().Entries().empty());
    EXPECT_EQ(Masks().EditText(), L"");

    ASSERT_TRUE(Form().ToolTip().Exists());
    const auto tools = Tools(Form().ToolTip().Handle());
    EXPECT_EQ(tools, (std::vector<std::pair<HWND, std::wstring>>{{Item(IDC_MASK), kTipFileMask},
                                                                 {EditOf(Item(IDC_MASK)), kTipFileMask},
                                                                 {Item(IDC_START), kTipStart},
                                                                 {Item(IDC_STOP), kTipStop}}));
    EXPECT_EQ(std::wstring(kTipStart), L"Press \"Start\" button for start of search");
}

// On Start, and on the text of the mask box (its edit part, which gets the mouse's messages there).
TEST_F(SimpleForm, TheTipShowsWhenTheMouseRestsOnStartOrOnTheMasksText) {
    const std::pair<HWND, const wchar_t*> places[] = {{Item(IDC_START), kTipStart},
                                                      {EditOf(Item(IDC_MASK)), kTipFileMask}};
    const HWND tip = Form().ToolTip().Handle();
    for (const auto& [control, expected] : places) {
        SendMessageW(tip, TTM_POP, 0, 0);
        RECT rect{};
        GetWindowRect(control, &rect);
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        // The move arrives through the message loop, which relays it to the tooltip; the tip shows
        // when the mouse has rested for a moment.
        PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return IsWindowVisible(tip) != FALSE; })) << expected;
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), control);
        EXPECT_EQ(std::wstring(text), expected);
    }
}

TEST_F(SimpleForm, TheHistoryComesFromTheStateFileInItsOrder) {
    holder->Close();
    WriteStateFile("3\r\n*.mp3\r\n\xE9t\xE9.doc\r\n*.avi\r\n2\r\nshares\r\nignored\r\n");
    ASSERT_TRUE(holder->Show(false));
    EXPECT_EQ(Masks().Entries(), (Entries{L"*.mp3", L"\x00E9t\x00E9.doc", L"*.avi"}));
    EXPECT_EQ(Masks().EditText(), L"");
}

TEST_F(SimpleForm, TypingAMaskAndPressingEnterSearchesAndRecordsTheMask) {
    Focus(Item(IDC_MASK));
    const HWND edit = EditOf(Item(IDC_MASK));
    ASSERT_EQ(GetFocus(), edit);
    TypeKeys(L"*.txt");
    ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return Masks().EditText() == L"*.txt"; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForCompletion());
    std::vector<std::wstring> expected{L"a.txt"};
    for (int i = 0; i < kFolders; ++i) {
        expected.push_back(L"c" + std::to_wstring(i) + L".txt");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(RowNames(), expected);
    EXPECT_EQ(Engine().Request().fileMask, L"*.txt");
    EXPECT_EQ(Masks().Entries(), Entries{L"*.txt"});
    EXPECT_TRUE(Enabled(IDC_START));
    EXPECT_TRUE(Enabled(IDC_ADVANCED_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP));
}

TEST_F(SlowSimpleForm, TheButtonsFollowTheSearchAndStopWindsItDown) {
    Masks().SetEditText(L"*.txt");
    Click(Item(IDC_START));
    EXPECT_FALSE(Enabled(IDC_START));
    EXPECT_FALSE(Enabled(IDC_ADVANCED_MODE));
    EXPECT_TRUE(Enabled(IDC_STOP));
    EXPECT_TRUE(Engine().searchRunning);
    // Hits arrive while it runs, and the buttons stay as they are.
    ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return !list.Rows().empty(); }));
    ASSERT_TRUE(Engine().searchActive);
    EXPECT_FALSE(Enabled(IDC_START));
    EXPECT_TRUE(Enabled(IDC_STOP));

    Click(Item(IDC_STOP));
    EXPECT_FALSE(Engine().searchRunning);
    EXPECT_FALSE(Enabled(IDC_STOP));
    EXPECT_FALSE(Enabled(IDC_START)) << "Start waits for the search to end";
    EXPECT_EQ(Status(), kTextWaitingForThreads);
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_TRUE(Enabled(IDC_START));
    EXPECT_TRUE(Enabled(IDC_ADVANCED_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP));
    EXPECT_LT(list.Rows().size(), static_cast<std::size_t>(kFolders)) << "the search did not stop early";
}

TEST_F(SlowSimpleForm, StartAndStopFromTheKeyboardKeepTheFocusOnAButtonThatWorks) {
    ASSERT_NO_FATAL_FAILURE(StartFromTheKeyboard());
    PressKey(VK_SPACE);
    ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return !Engine().searchRunning; }));
    EXPECT_EQ(GetFocus(), EditOf(Item(IDC_MASK)));
    ASSERT_TRUE(WaitForCompletion());
}

TEST_F(SlowSimpleForm, ASearchThatEndsByItselfHandsTheFocusFromStopToStart) {
    ASSERT_NO_FATAL_FAILURE(StartFromTheKeyboard());
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_FALSE(Enabled(IDC_STOP));
    EXPECT_EQ(GetFocus(), Item(IDC_START)) << "the keys still reach a button that works";
}

TEST_F(SimpleForm, AnEmptyMaskShowsTheMessageAndChangesNothing) {
    Masks().InsertAtTop(L"*.doc");
    pane->statusBar.SetPaneText(kPaneMessage, L"before");
    list.InsertRow(0, L"kept", -1);
    DialogCloser closer;
    Click(Item(IDC_START));
    closer.Join();
    ASSERT_TRUE(closer.found) << "no message box captioned Varnokle";
    EXPECT_EQ(closer.text, kTextPleaseInsertMask);
    EXPECT_EQ(closer.owner, pane->Handle());
    EXPECT_FALSE(Engine().searchActive);
    EXPECT_FALSE(Engine().searchRunning);
    EXPECT_EQ(RowNames(), Entries{L"kept"});
    EXPECT_EQ(Status(), L"before");
    EXPECT_EQ(Masks().Entries(), Entries{L"*.doc"});
    EXPECT_TRUE(Enabled(IDC_START));
    EXPECT_FALSE(Enabled(IDC_STOP));

    // Enter in the empty box says the same.
    Focus(Item(IDC_MASK));
    DialogCloser again;
    PressKey(VK_RETURN);
    ASSERT_TRUE(testing::PaneHost::PumpUntil([&] { return again.Done(); }));
    again.Join();
    ASSERT_TRUE(again.found);
    EXPECT_EQ(again.text, kTextPleaseInsertMask);
}

TEST_F(SimpleForm, AMaskJoinsTheHistoryAtTheTopUnlessAnEntryBeginsWithIt) {
    Masks().InsertAtTop(L"*.avi");
    Masks().InsertAtTop(L"*.MP3");
    const auto search = [&](const wchar_t* mask) {
        Masks().SetEditText(mask);
        Click(Item(IDC_START));
        ASSERT_TRUE(WaitForCompletion());
    };
    search(L"*.mp");
    EXPECT_EQ(Masks().Entries(), (Entries{L"*.MP3", L"*.avi"}));
    search(L"*.avi");
    EXPECT_EQ(Masks().Entries(), (Entries{L"*.MP3", L"*.avi"}));
    search(L"*.doc");
    EXPECT_EQ(Masks().Entries(), (Entries{L"*.doc", L"*.MP3", L"*.avi"}));
}

TEST_F(SimpleForm, WhenTheEngineDoesNotTakeTheSearchTheButtonsComeBack) {
    // As when Start is pressed while the last search's threads are still ending.
    Engine().searchActive = true;
    Masks().SetEditText(L"*.txt");
    Click(Item(IDC_START));
    Engine().searchActive = false;
    EXPECT_FALSE(Engine().searchRunning);
    EXPECT_TRUE(Enabled(IDC_START));
    EXPECT_TRUE(Enabled(IDC_ADVANCED_MODE));
    EXPECT_FALSE(Enabled(IDC_STOP));
}

TEST_F(SimpleForm, GoingAwayWritesTheFirstTenEntriesOfTheHistory) {
    for (int i = 11; i >= 0; --i) {
        Masks().InsertAtTop(L"m" + std::to_wstring(i));
    }
    Masks().InsertAtTop(L"\x65E5\x672C.txt"); // cannot be stored one byte a character
    const std::wstring longMask = L"*" + std::wstring(300, L'l') + L".txt";
    Masks().InsertAtTop(longMask);
    holder->Close();
    std::string expected = "9\r\n*" + std::string(300, 'l') + ".txt\r\n";
    for (int i = 0; i < 8; ++i) {
        expected += "m" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(StateFile(), expected);

    // The next form (or the next run) reads them back.
    ASSERT_TRUE(holder->Show(false));
    ASSERT_EQ(Masks().Entries().size(), 9u);
    EXPECT_EQ(Masks().Entries()[0], longMask);
}

} // namespace
} // namespace vk
