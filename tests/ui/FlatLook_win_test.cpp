// The flat look under Wine: a dialog's controls are decorated when it initialises (by kind, by
// class and style), controls added later too, and every procedure comes back when the dialog
// ends or the program does; frames are drawn in the system colours of their state, deepen with
// the focus, and follow the pointer.
#include "decor/win/FlatKinds.h"
#include "decor/win/FlatLook.h"
#include "framework/Controls.h"
#include "framework/FormView.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "ui/support/DialogTemplate.h"
#include "ui/support/ThemeLook.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace vk {
namespace {

using testing::DialogTemplate;
using testing::ThemeLook;

enum : WORD {
    kOk = IDOK,
    kPush = 101,
    kCheck,
    kRadio,
    kGroup,
    kOwnerDrawn,
    kFlatButton,
    kEdit,
    kReadOnly,
    kCombo,
    kList,
    kListView,
    kStatic,
    kScroll,
    kSpinEdit,
    kSpin,
    kTrack,
    kPlainEdit,
    kSimpleCombo,
    kAddress,
    kDate,
    kTabs,
    kToolbar,
    kHotKey,
};

// A dialog with one control of each common kind: a child form of the host window, or a modal
// pop-up.
DialogTemplate TestTemplate(DWORD style = DS_CONTROL | WS_CHILD | WS_VISIBLE) {
    DialogTemplate t(style, 260, 200, L"Flat test");
    t.Add(L"Button", L"OK", kOk, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 200, 180, 50, 14);
    t.Add(L"Button", L"Push", kPush, BS_PUSHBUTTON | WS_TABSTOP, 0, 140, 180, 50, 14);
    t.Add(L"Button", L"Check", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 10, 10, 60, 10);
    t.Add(L"Button", L"Radio", kRadio, BS_AUTORADIOBUTTON, 0, 10, 24, 60, 10);
    t.Add(L"Button", L"Group", kGroup, BS_GROUPBOX, 0, 80, 4, 80, 30);
    t.Add(L"Button", L"Owner", kOwnerDrawn, BS_OWNERDRAW, 0, 170, 4, 40, 14);
    t.Add(L"Button", L"Flat", kFlatButton, BS_PUSHBUTTON | BS_FLAT, 0, 215, 4, 40, 14);
    t.Add(L"Edit", L"text", kEdit, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 40, 100, 14);
    t.Add(L"Edit", L"fixed", kReadOnly, ES_READONLY, WS_EX_CLIENTEDGE, 10, 58, 100, 14);
    t.Add(L"ComboBox", L"", kCombo, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0, 120, 40, 100, 60);
    t.Add(L"ListBox", L"", kList, LBS_NOTIFY | WS_VSCROLL, WS_EX_CLIENTEDGE, 10, 80, 100, 40);
    t.Add(L"SysListView32", L"", kListView, LVS_REPORT, WS_EX_CLIENTEDGE, 120, 80, 130, 60);
    t.Add(L"Static", L"label", kStatic, SS_LEFT, 0, 10, 130, 50, 10);
    t.Add(L"ScrollBar", L"", kScroll, SBS_HORZ, 0, 10, 145, 100, 10);
    t.Add(L"Edit", L"5", kSpinEdit, ES_NUMBER, WS_EX_CLIENTEDGE, 10, 160, 40, 14);
    t.Add(UPDOWN_CLASSW, L"", kSpin, UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_SETBUDDYINT, 0, 0, 0, 10, 14);
    t.Add(L"msctls_trackbar32", L"", kTrack, TBS_HORZ, 0, 60, 160, 70, 14);
    t.Add(L"Edit", L"plain", kPlainEdit, 0, 0, 140, 150, 60, 12);
    t.Add(L"ComboBox", L"", kSimpleCombo, CBS_SIMPLE, 0, 270, 4, 80, 50);
    t.Add(WC_IPADDRESSW, L"", kAddress, 0, WS_EX_CLIENTEDGE, 270, 60, 80, 14);
    t.Add(DATETIMEPICK_CLASSW, L"", kDate, DTS_SHORTDATEFORMAT, WS_EX_CLIENTEDGE, 270, 80, 80, 14);
    t.Add(WC_TABCONTROLW, L"", kTabs, 0, 0, 270, 100, 80, 40);
    t.Add(TOOLBARCLASSNAMEW, L"", kToolbar, CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 270, 150, 80, 20);
    t.Add(HOTKEY_CLASSW, L"", kHotKey, 0, WS_EX_CLIENTEDGE, 270, 175, 80, 14);
    return t;
}

INT_PTR CALLBACK QuietProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool PumpUntil(const std::function<bool()>& done) {
    return ui::PumpUntil(done, std::chrono::seconds(5));
}

COLORREF Sys(int index) {
    return GetSysColor(index);
}

// A pixel of a window, counted from its top-left corner (frame included).
COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void MovePointerTo(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

class FlatLookTest : public ::testing::Test {
protected:
    // The dialogs are children of one host window that lives as long as the suite: top-level
    // windows take Wine two seconds each to hide without a window manager.
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        host_ = CreateWindowExW(0, L"Static", L"Flat look test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 600,
                                450, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(host_); }
    void SetUp() override {
        SetCursorPos(1200, 750); // away from every test window
        ASSERT_TRUE(theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs));
    }
    void TearDown() override {
        if (dialog_ && IsWindow(dialog_)) {
            DestroyWindow(dialog_);
        }
        theFlatLook.EndOfProgram();
    }

    HWND Open() {
        dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_.Get(), host_, QuietProcedure, 0);
        if (dialog_) {
            UpdateWindow(host_);
            ui::PumpWaitingMessages();
        }
        return dialog_;
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    FlatControl* Decor(int id) const { return theFlatLook.FindControl(Item(id)); }

    static HWND host_;
    ThemeLook classic_; // every control drawn the classic way, whatever theme Wine runs
    DialogTemplate template_ = TestTemplate();
    HWND dialog_ = nullptr;
};

HWND FlatLookTest::host_ = nullptr;

TEST_F(FlatLookTest, DialogControlsAreDecoratedByKindWhenItInitialises) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(theFlatLook.IsWatched(dialog_));
    EXPECT_NE(dynamic_cast<FlatPushButton*>(Decor(kOk)), nullptr);
    EXPECT_NE(dynamic_cast<FlatPushButton*>(Decor(kPush)), nullptr);
    EXPECT_NE(dynamic_cast<FlatCheckBox*>(Decor(kCheck)), nullptr);
    EXPECT_NE(dynamic_cast<FlatRadioButton*>(Decor(kRadio)), nullptr);
    EXPECT_NE(dynamic_cast<FlatEdit*>(Decor(kEdit)), nullptr);
    EXPECT_NE(dynamic_cast<FlatEdit*>(Decor(kReadOnly)), nullptr);
    EXPECT_NE(dynamic_cast<FlatComboBox*>(Decor(kCombo)), nullptr);
    EXPECT_NE(dynamic_cast<FlatScrollBar*>(Decor(kScroll)), nullptr);
    EXPECT_NE(dynamic_cast<FlatUpDown*>(Decor(kSpin)), nullptr);
    EXPECT_NE(dynamic_cast<FlatTrackBar*>(Decor(kTrack)), nullptr);
    ASSERT_NE(Decor(kList), nullptr);
    EXPECT_EQ(typeid(*Decor(kList)), typeid(FlatControl)) << "the generic kind";
    // A list view with a client edge, and its header (which has the buttons style).
    ASSERT_NE(Decor(kListView), nullptr);
    HWND header = reinterpret_cast<HWND>(SendMessageW(Item(kListView), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_NE(dynamic_cast<FlatHeader*>(theFlatLook.FindControl(header)), nullptr);
    // A simple combo box: its edit and list instead of itself.
    EXPECT_EQ(Decor(kSimpleCombo), nullptr);
    HWND simpleEdit = FindWindowExW(Item(kSimpleCombo), nullptr, L"Edit", nullptr);
    ASSERT_NE(simpleEdit, nullptr);
    EXPECT_NE(dynamic_cast<FlatEditInSimpleCombo*>(theFlatLook.FindControl(simpleEdit)), nullptr);
    EXPECT_NE(dynamic_cast<FlatIpAddress*>(Decor(kAddress)), nullptr);
    EXPECT_NE(dynamic_cast<FlatDateTime*>(Decor(kDate)), nullptr);
    EXPECT_NE(dynamic_cast<FlatTab*>(Decor(kTabs)), nullptr);
    EXPECT_NE(dynamic_cast<FlatToolbar*>(Decor(kToolbar)), nullptr);
    ASSERT_NE(Decor(kHotKey), nullptr);
    EXPECT_EQ(typeid(*Decor(kHotKey)), typeid(FlatControl));
    // These keep the system's look.
    for (const int id : {kGroup, kOwnerDrawn, kFlatButton, kStatic, kPlainEdit}) {
        EXPECT_EQ(Decor(id), nullptr) << id;
    }
    // Every kind draws (and is drawn over) without harm.
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::PumpWaitingMessages();
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u) << "no ticks until the pointer comes";
}

// Visual styles: buttons (say) drawn by the theme, the rest classic, as the query answers.
bool ButtonsThemed(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return _wcsicmp(name, L"Button") == 0;
}

bool EverythingThemed(HWND) {
    return true;
}

TEST_F(FlatLookTest, ControlsTheThemeDrawsKeepTheThemesLook) {
    {
        ThemeLook buttons(&ButtonsThemed);
        ASSERT_TRUE(Open());
        for (const int id : {kOk, kPush, kCheck, kRadio}) {
            EXPECT_EQ(Decor(id), nullptr) << id;
        }
        EXPECT_NE(dynamic_cast<FlatEdit*>(Decor(kEdit)), nullptr) << "a classic edit is flat";

        // Visual styles turned on while the program runs: the edit goes over to the theme.
        HWND edit = Item(kEdit);
        ThemeLook everything(&EverythingThemed);
        SendMessageW(edit, WM_THEMECHANGED, 0, 0);
        EXPECT_EQ(Decor(kEdit), nullptr);
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), GetClassLongPtrW(edit, GCLP_WNDPROC));
        DestroyWindow(dialog_);
    }
    ASSERT_TRUE(Open()); // the fixture's classic look
    EXPECT_NE(dynamic_cast<FlatPushButton*>(Decor(kOk)), nullptr);
    EXPECT_NE(dynamic_cast<FlatEdit*>(Decor(kEdit)), nullptr);
    SendMessageW(Item(kEdit), WM_THEMECHANGED, 0, 0);
    EXPECT_NE(Decor(kEdit), nullptr) << "still classic";
}

TEST_F(FlatLookTest, ControlsGetTheirProceduresBackWhenTheDialogEnds) {
    ASSERT_TRUE(Open());
    HWND edit = Item(kEdit);
    const auto classProcedure = GetClassLongPtrW(edit, GCLP_WNDPROC);
    EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), classProcedure) << "taken over";
    const std::size_t decorated = theFlatLook.DecoratedCount();
    EXPECT_GE(decorated, 12u);

    DestroyWindow(dialog_);
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
    EXPECT_FALSE(theFlatLook.IsWatched(dialog_));
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u) << "no decorated control left";
}

TEST_F(FlatLookTest, EndOfProgramRestoresEveryProcedureAndRemovesTheHook) {
    ASSERT_TRUE(Open());
    std::vector<HWND> decorated;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (theFlatLook.FindControl(child)) {
            decorated.push_back(child);
        }
    }
    ASSERT_FALSE(decorated.empty());
    const LONG_PTR dialogProcedure = GetWindowLongPtrW(dialog_, GWLP_WNDPROC);
    theFlatLook.EndOfProgram();
    for (HWND control : decorated) {
        EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), GetClassLongPtrW(control, GCLP_WNDPROC));
        EXPECT_EQ(GetPropW(control, L"vk.flat.control"), nullptr);
    }
    EXPECT_NE(GetWindowLongPtrW(dialog_, GWLP_WNDPROC), dialogProcedure) << "the watcher is gone";
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 0u);
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u);

    // Without the hook, a new dialog keeps the system's look.
    HWND second = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_.Get(), host_, QuietProcedure, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(theFlatLook.FindControl(GetDlgItem(second, kEdit)), nullptr);
    DestroyWindow(second);
}

TEST_F(FlatLookTest, AControlCreatedLaterIsDecoratedWhenItIsCreated) {
    ASSERT_TRUE(Open());
    HWND late = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"late", WS_CHILD | WS_VISIBLE, 300, 300, 80, 20, dialog_,
                                reinterpret_cast<HMENU>(300), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(late, nullptr);
    EXPECT_NE(dynamic_cast<FlatEdit*>(theFlatLook.FindControl(late)), nullptr);
    DestroyWindow(late);
    EXPECT_EQ(theFlatLook.FindControl(late), nullptr) << "its decoration ended with it";
}

TEST_F(FlatLookTest, ModalDialogIsDecoratedWhileItRunsAndRestoredAfter) {
    struct Seen {
        bool editDecorated = false;
        HWND dialog = nullptr;
    } seen;
    const auto procedure = [](HWND dialog, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            auto* s = reinterpret_cast<Seen*>(lParam);
            s->dialog = dialog;
            // The hook saw the initialisation before this procedure does.
            s->editDecorated = theFlatLook.FindControl(GetDlgItem(dialog, kEdit)) != nullptr;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
        if (message == WM_COMMAND) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    };
    const DialogTemplate modal = TestTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE);
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), modal.Get(), nullptr, procedure,
                                                   reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(seen.editDecorated);
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
    EXPECT_FALSE(theFlatLook.IsWatched(seen.dialog));
}

// What the timer saw of the system's "Save As" dialog before it cancelled it.
struct FileDialogSeen {
    HWND dialog = nullptr;
    std::size_t decorated = 0;
    bool watched = false;
};
FileDialogSeen fileDialogSeen;

void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Save As");
    if (!dialog) {
        return;
    }
    KillTimer(nullptr, timer);
    fileDialogSeen.dialog = dialog;
    fileDialogSeen.decorated = theFlatLook.DecoratedCount();
    fileDialogSeen.watched = theFlatLook.IsWatched(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(FlatLookTest, SystemFileDialogIsDecoratedWhileItRuns) {
    wchar_t name[MAX_PATH] = L"results.html";
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.lpstrFilter = L"HTML page\0*.html\0Text file\0*.txt\0";
    open.lpstrFile = name;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CancelFileDialog);
    EXPECT_FALSE(GetSaveFileNameW(&open)) << "cancelled";
    KillTimer(nullptr, timer);
    ASSERT_NE(fileDialogSeen.dialog, nullptr) << "the dialog came up";
    EXPECT_TRUE(fileDialogSeen.watched);
    EXPECT_GE(fileDialogSeen.decorated, 4u) << "its edit, combo boxes and buttons at least";
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u) << "all ended with it";
}

TEST_F(FlatLookTest, EditFrameIsFlatAndDeepensWithTheFocus) {
    ASSERT_TRUE(Open());
    HWND edit = Item(kEdit);
    FlatControl* decor = theFlatLook.FindControl(edit);
    ASSERT_NE(decor, nullptr);
    RECT rect{};
    GetWindowRect(edit, &rect);
    const int right = rect.right - rect.left - 1;
    const int bottom = rect.bottom - rect.top - 1;
    SetFocus(Item(kPush));
    ui::PumpWaitingMessages();
    // Outer ring shadow / highlight; a small control's inner ring highlight / light.
    EXPECT_TRUE(decor->Flags() & flat::kSmall);
    EXPECT_EQ(WindowPixel(edit, 0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(WindowPixel(edit, right, bottom), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(edit, 1, 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(edit, right - 1, bottom - 1), Sys(COLOR_3DLIGHT));

    SetFocus(edit);
    ui::PumpWaitingMessages();
    EXPECT_TRUE(decor->Flags() & flat::kFocus);
    EXPECT_EQ(WindowPixel(edit, 1, 1), Sys(COLOR_3DDKSHADOW)) << "deep with the focus";

    SetFocus(Item(kPush));
    ui::PumpWaitingMessages();
    EXPECT_FALSE(decor->Flags() & flat::kFocus);
    EXPECT_EQ(WindowPixel(edit, 1, 1), Sys(COLOR_BTNHIGHLIGHT));

    // A read-only edit's inner ring is the face colour.
    HWND fixed = Item(kReadOnly);
    EXPECT_EQ(WindowPixel(fixed, 1, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(WindowPixel(fixed, 0, 0), Sys(COLOR_BTNSHADOW));
}

TEST_F(FlatLookTest, HoverFollowsThePointerAndFocusStaysDeep) {
    ASSERT_TRUE(Open());
    HWND list = Item(kList);
    HWND edit = Item(kEdit);
    HWND fixed = Item(kReadOnly);
    SetFocus(edit);
    ui::PumpWaitingMessages();
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u) << "the pointer is elsewhere: no ticks";

    MovePointerTo(list);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.HoverTimer() != 0; })) << "the pointer came: the ticks begin";
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == list; })) << "the timer moves the hover";
    EXPECT_TRUE(theFlatLook.FindControl(list)->HasHover());
    EXPECT_EQ(WindowPixel(list, 1, 1), Sys(COLOR_3DDKSHADOW));

    MovePointerTo(fixed);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == fixed; }));
    EXPECT_FALSE(theFlatLook.FindControl(list)->HasHover()) << "one control has the hover";
    EXPECT_EQ(WindowPixel(list, 1, 1), Sys(COLOR_3DLIGHT)) << "shallow again";
    EXPECT_EQ(WindowPixel(fixed, 1, 1), Sys(COLOR_3DDKSHADOW)) << "read-only, but hovered";
    EXPECT_EQ(WindowPixel(edit, 1, 1), Sys(COLOR_3DDKSHADOW)) << "the focused edit stays deep";

    SetCursorPos(1200, 750);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == nullptr; }));
    EXPECT_EQ(WindowPixel(fixed, 1, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(WindowPixel(edit, 1, 1), Sys(COLOR_3DDKSHADOW)) << "still focused";
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u) << "the pointer has left: the ticks stop";
}

TEST_F(FlatLookTest, DropDownComboIsDeepWhileItsEditHasTheFocus) {
    ASSERT_TRUE(Open());
    HWND combo = Item(kCombo);
    HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    FlatControl* decor = theFlatLook.FindControl(combo);
    ASSERT_NE(decor, nullptr);
    SetFocus(edit);
    ui::PumpWaitingMessages();
    EXPECT_TRUE(decor->Flags() & flat::kFocus);
    EXPECT_EQ(WindowPixel(combo, 1, 1), Sys(COLOR_3DDKSHADOW));
    SetFocus(Item(kPush));
    ui::PumpWaitingMessages();
    EXPECT_FALSE(decor->Flags() & flat::kFocus) << "the edit's focus loss reaches the combo box";
    EXPECT_NE(WindowPixel(combo, 1, 1), Sys(COLOR_3DDKSHADOW));
}

TEST_F(FlatLookTest, ScrolledListKeepsItsFlatScrollBar) {
    ASSERT_TRUE(Open());
    HWND list = Item(kList);
    for (int i = 0; i < 30; ++i) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
    }
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    RECT window{};
    GetWindowRect(list, &window);
    RECT client{};
    GetClientRect(list, &client);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    // The upper arrow's top-left pixel: a flat ring in the highlight colour.
    const int arrowX = origin.x - window.left + client.right;
    const int arrowY = origin.y - window.top;
    EXPECT_EQ(WindowPixel(list, arrowX, arrowY), Sys(COLOR_BTNHIGHLIGHT));
    SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(WindowPixel(list, arrowX, arrowY), Sys(COLOR_BTNHIGHLIGHT)) << "still flat after scrolling";
}

TEST_F(FlatLookTest, PushButtonsDrawTheirStates) {
    ASSERT_TRUE(Open());
    HWND ok = Item(kOk);
    HWND push = Item(kPush);
    SetFocus(Item(kEdit));
    ui::PumpWaitingMessages();
    RECT rect{};
    GetWindowRect(push, &rect);
    const int right = rect.right - rect.left - 1;
    // Normal: highlight / shadow outside, face inside.
    EXPECT_EQ(WindowPixel(push, 0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(push, right, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(WindowPixel(push, 1, 1), Sys(COLOR_BTNFACE));
    // Default: a dark shadow ring all round.
    EXPECT_EQ(WindowPixel(ok, 0, 0), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(WindowPixel(ok, 1, 1), Sys(COLOR_BTNHIGHLIGHT));

    MovePointerTo(push);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == push; }));
    EXPECT_EQ(WindowPixel(push, right, 0), Sys(COLOR_3DDKSHADOW)) << "hot";
    EXPECT_EQ(WindowPixel(push, 1, 1), Sys(COLOR_3DLIGHT));

    SendMessageW(push, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(WindowPixel(push, 0, 0), Sys(COLOR_3DDKSHADOW)) << "pressed and hot";
    EXPECT_EQ(WindowPixel(push, 1, 1), Sys(COLOR_BTNSHADOW));
    SendMessageW(push, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(WindowPixel(push, 0, 0), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(FlatLookTest, CheckBoxKeepsItsFlatBoxWhenItsStateChangesUnderThePointer) {
    ASSERT_TRUE(Open());
    HWND check = Item(kCheck);
    RECT rect{};
    GetWindowRect(check, &rect);
    const int top = (rect.bottom - rect.top - 13) / 2;
    EXPECT_EQ(WindowPixel(check, 0, top), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(WindowPixel(check, 1, top + 1), Sys(COLOR_WINDOW)) << "flat: the inside's colour";

    MovePointerTo(check);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == check; }));
    EXPECT_EQ(WindowPixel(check, 0, top), Sys(COLOR_3DDKSHADOW));
    // The button draws its box anew; the hot frame must come back over it at once.
    EXPECT_EQ(SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0), 0);
    EXPECT_EQ(WindowPixel(check, 0, top), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(WindowPixel(check, 1, top + 1), Sys(COLOR_BTNSHADOW));
    EXPECT_TRUE(SetWindowTextW(check, L"Checked")) << "the control's own answer";
    EXPECT_EQ(WindowPixel(check, 0, top), Sys(COLOR_3DDKSHADOW));
}

TEST_F(FlatLookTest, ScrollBarAnswersAsItsOwnProcedureDoes) {
    ASSERT_TRUE(Open());
    HWND bar = Item(kScroll);
    SendMessageW(bar, SBM_SETRANGE, 0, 100);
    SendMessageW(bar, SBM_SETPOS, 40, TRUE);
    EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 60, TRUE), 40) << "the previous position";
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 60);
    // The arrows are flat rings: highlight top-left, shadow bottom-right, face inside.
    EXPECT_EQ(WindowPixel(bar, 0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(bar, 1, 1), Sys(COLOR_BTNFACE));
}

TEST_F(FlatLookTest, UpDownContinuesItsBuddysFrame) {
    ASSERT_TRUE(Open());
    HWND spin = Item(kSpin);
    HWND buddy = reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0));
    ASSERT_EQ(buddy, Item(kSpinEdit));
    FlatControl* decor = theFlatLook.FindControl(spin);
    ASSERT_NE(decor, nullptr);
    RECT rect{};
    GetWindowRect(spin, &rect);
    const int width = rect.right - rect.left;
    // Buttons start two pixels in; a line in highlight above them.
    EXPECT_EQ(WindowPixel(spin, width / 2, 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(spin, 2, 2), Sys(COLOR_BTNHIGHLIGHT)) << "the upper button's ring";

    MovePointerTo(spin);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == spin; }));
    EXPECT_TRUE(theFlatLook.FindControl(buddy)->HasHover()) << "the buddy shows the up-down's hover";
    SetCursorPos(1200, 750);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == nullptr; }));
    EXPECT_FALSE(theFlatLook.FindControl(buddy)->HasHover());
}

TEST_F(FlatLookTest, HeaderItemUnderThePointerIsHotAndSoIsItsListView) {
    ASSERT_TRUE(Open());
    HWND list = Item(kListView);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 80;
    column.pszText = const_cast<wchar_t*>(L"Name");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT item{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(WindowPixel(header, item.right - 1, item.top), Sys(COLOR_BTNSHADOW));

    POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(header, &middle);
    SetCursorPos(middle.x, middle.y);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == header; }));
    EXPECT_EQ(WindowPixel(header, item.right - 1, item.top), Sys(COLOR_3DDKSHADOW)) << "the hot item";
    EXPECT_TRUE(theFlatLook.FindControl(list)->HasHover()) << "the list view shares it";

    SetCursorPos(1200, 750);
    ASSERT_TRUE(PumpUntil([&] { return theFlatLook.Hovered() == nullptr; }));
    EXPECT_FALSE(theFlatLook.FindControl(list)->HasHover());
    EXPECT_EQ(WindowPixel(header, item.right - 1, item.top), Sys(COLOR_BTNSHADOW));
}

TEST_F(FlatLookTest, OtherModesDecorateEachChildWhenItIsCreated) {
    theFlatLook.EndOfProgram();
    ASSERT_TRUE(theFlatLook.SwitchOn(FlatLook::kCallingThread, 0));
    HWND parent = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HWND bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 40, 80, 16, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(theFlatLook.FindControl(edit), nullptr);
    EXPECT_EQ(theFlatLook.FindControl(bar), nullptr) << "scroll bars are left alone in this mode";
    EXPECT_EQ(theFlatLook.FindControl(parent), nullptr) << "not a child";
    DestroyWindow(parent);
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
}

// The framework's control wrappers take a decorated control over on top of the decoration, as
// the panes do in their initial update; both keep working, whichever lets go first.
TEST_F(FlatLookTest, FrameworkWrapperOnTopOfTheDecorationKeepsTheChainWhole) {
    ASSERT_TRUE(Open());
    HWND list = Item(kListView);
    ASSERT_NE(theFlatLook.FindControl(list), nullptr);
    ui::ListViewCtrl wrapper;
    ASSERT_TRUE(wrapper.Attach(list));
    EXPECT_EQ(wrapper.InsertColumn(0, L"Name", 80), 0);
    EXPECT_EQ(wrapper.InsertItem(0, L"first", 0), 0);

    // The decoration ends under the wrapper: it stays in the chain and passes everything on.
    theFlatLook.EndOfProgram();
    EXPECT_EQ(theFlatLook.FindControl(list), nullptr);
    EXPECT_EQ(wrapper.InsertItem(1, L"second", 0), 1);
    EXPECT_EQ(wrapper.ItemText(1, 0), L"second");
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    wrapper.Detach();
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2) << "the list's own procedure still answers";
}

// The program's own form views are dialogs too: the tree pane's template decorates its tree.
TEST_F(FlatLookTest, FormViewFromTheProgramsTemplateIsDecorated) {
    ui::FormView form(IDD_TREE_VIEW);
    ASSERT_TRUE(form.CreateView(host_));
    HWND tree = form.Item(IDC_NETWORK_TREE);
    const bool clientEdge = (GetWindowLongPtrW(tree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    EXPECT_TRUE(clientEdge) << "the dialog manager gives the bordered tree a client edge";
    EXPECT_TRUE(theFlatLook.IsWatched(form.Handle()));
    EXPECT_EQ(theFlatLook.FindControl(tree) != nullptr, clientEdge);
    form.Destroy();
    EXPECT_EQ(theFlatLook.DecoratedCount(), 0u);
}

TEST_F(FlatLookTest, SwitchingOffStopsDecoratingAndTheTimer) {
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 1u);
    EXPECT_TRUE(theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs)) << "hooked once";
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 1u);
    ASSERT_TRUE(Open());
    theFlatLook.SwitchOff(FlatLook::kCallingThread);
    EXPECT_EQ(theFlatLook.HookedThreadCount(), 0u);
    EXPECT_EQ(theFlatLook.HoverTimer(), 0u);
    HWND second = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_.Get(), host_, QuietProcedure, 0);
    EXPECT_EQ(theFlatLook.FindControl(GetDlgItem(second, kEdit)), nullptr);
    DestroyWindow(second);
}

} // namespace
} // namespace vk
