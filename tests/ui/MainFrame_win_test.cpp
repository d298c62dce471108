// The main frame with its real panes (the network tree on a folder network, the result list) and
// a test form in the lower pane: the window tree, the panes' sizes after sizing, dragging and
// swapping the form, the menu, accelerators, toolbar and status bar as the resources make them,
// the command states, the view toggles, F6, and the shell commands (the system's calls recorded).
#include "shell/win/MainFrame.h"

#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "framework/LocaleFormats.h"
#include "framework/MessageLoop.h"
#include "framework/ShellExecute.h"
#include "framework/SystemColours.h"
#include "platform/NetworkEnvironment.h"
#include "platform/SystemMessages.h"
#include "resource.h"
#include "results/win/ModifiedText.h"
#include "results/win/ShellActions.h"
#include "results/win/Varnokle2View.h"
#include "shell/ShellTexts.h"
#include "shell/win/AboutBox.h"
#include "shell/win/RightFrameWnd.h"
#include "support/TempTree.h"
#include "ui/support/CurrentDirectory.h"
#include "ui/support/DialogWatcher.h"
#include "ui/support/MenuDriver.h"
#include "ui/support/TestForm.h"

#include "network/win/UpView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::CurrentDirectory;
using testing::DialogCloser;
using testing::MenuItem;
using testing::ReadMenu;
using testing::TestForm;
using testing::TestFormFactory;

struct OpenCall {
    HWND owner = nullptr;
    std::wstring target;
    int show = 0;
    bool operator==(const OpenCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const OpenCall& call) {
    return out << '{' << call.owner << ", " << std::string(call.target.begin(), call.target.end()) << ", " << call.show
               << '}';
}

// Answers the drive dialog with a chosen code (or lets the system answer) and records the rest.
class RecordingShell final : public IFrameShell {
public:
    DWORD MapNetworkDrive(HWND owner) override {
        driveDialogOwner = owner;
        return useSystemDialog ? system_.MapNetworkDrive(owner) : driveDialogAnswer;
    }
    std::wstring ExtendedNetworkError() override { return extendedError; }
    void Open(HWND owner, const std::wstring& target, int show) override { opened.push_back({owner, target, show}); }
    DWORD OpenDocument(HWND owner, const std::wstring& path, int show) override {
        opened.push_back({owner, path, show});
        return documentAnswer;
    }
    std::wstring ProgramFolder() override { return programFolder; }

    bool useSystemDialog = false;
    DWORD driveDialogAnswer = NO_ERROR;
    HWND driveDialogOwner = nullptr;
    std::wstring extendedError;
    DWORD documentAnswer = ERROR_SUCCESS;
    std::wstring programFolder;
    std::vector<OpenCall> opened;

private:
    SystemFrameShell system_;
};

PaneRect RectIn(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        theFormSize = {};
        tree_.MakeDir("Net/WORKGROUP/SRV/share");
        tree_.MakeFile("Net/WORKGROUP/SRV/share/a.txt", "a");
        ASSERT_EQ(environment_.UseFolderNetwork(tree_.Root()), kErrorSuccess);
        document_ = std::make_unique<CVarnokle2Doc>(environment_);
    }

    void TearDown() override {
        frame_.reset();
        document_.reset();
        theFormSize = {};
    }

    // The frame as start-up makes it, shown with a client area of the given size.
    void Open(int width = 1000, int height = 700) {
        CMainFrame::Setup setup;
        setup.makeForm = [this](bool advanced, IFormHost& host) { return forms_(advanced, host); };
        setup.shell = &shell_;
        frame_ = std::make_unique<CMainFrame>(*document_, setup);
        ASSERT_TRUE(frame_->CreateFrame());
        frame_->InitialUpdate();
        SizeClient(width, height);
        ShowWindow(frame_->Handle(), SW_SHOW);
        ui::PumpWaitingMessages();
    }

    void SizeClient(int width, int height) {
        RECT rect{0, 0, width, height};
        AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, TRUE, 0);
        SetWindowPos(frame_->Handle(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ui::PumpWaitingMessages();
    }

    [[nodiscard]] HWND LeftColumn() const { return frame_->LeftColumn()->Handle(); }
    [[nodiscard]] HWND ResultPane() const { return frame_->ResultView()->Handle(); }
    [[nodiscard]] HWND TreePane() const { return frame_->LeftSide()->Splitter().Pane(0, 0)->Handle(); }
    [[nodiscard]] HWND FormPane() const { return frame_->LeftSide()->Splitter().Pane(1, 0)->Handle(); }
    [[nodiscard]] int ClientWidth() const {
        RECT client{};
        GetClientRect(frame_->Handle(), &client);
        return client.right;
    }

    void Command(UINT id) { frame_->Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The menu's state of a command as the user sees it when its pop-up opens.
    UINT MenuState(int popup, UINT command) {
        const HMENU menu = GetSubMenu(GetMenu(frame_->Handle()), popup);
        frame_->Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(popup, FALSE));
        return GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED);
    }

    test::TempTree tree_;
    NetworkEnvironment environment_;
    std::unique_ptr<CVarnokle2Doc> document_;
    TestFormFactory forms_;
    RecordingShell shell_;
    std::unique_ptr<CMainFrame> frame_;
    const int frameWidth_ = GetSystemMetrics(SM_CXFRAME);
    const int frameHeight_ = GetSystemMetrics(SM_CYFRAME);
};

TEST_F(MainFrameTest, TheWindowTreeHoldsTheSplittersAndPanesWithTheirIds) {
    Open();
    const HWND frame = frame_->Handle();
    const HWND mainSplitter = GetDlgItem(frame, 59648);
    ASSERT_EQ(mainSplitter, frame_->Splitter().Handle());
    EXPECT_EQ(GetDlgItem(mainSplitter, 59648), LeftColumn());
    EXPECT_EQ(GetDlgItem(mainSplitter, 59649), ResultPane());
    const HWND splitterView = GetDlgItem(LeftColumn(), 59648);
    ASSERT_EQ(splitterView, frame_->LeftSide()->Handle());
    const HWND innerSplitter = GetDlgItem(splitterView, 59648);
    ASSERT_EQ(innerSplitter, frame_->LeftSide()->Splitter().Handle());
    EXPECT_EQ(GetDlgItem(innerSplitter, 59648), TreePane());
    EXPECT_EQ(GetDlgItem(innerSplitter, 59648 + 16), FormPane());
    // The toolbar lies in its dock, which carries the toolbar's id among the frame's windows.
    EXPECT_EQ(GetDlgItem(frame, 59392), frame_->ToolBarDock().Handle());
    EXPECT_EQ(GetParent(frame_->ToolBar().Handle()), frame_->ToolBarDock().Handle());
    EXPECT_EQ(GetDlgItem(frame, 59393), frame_->StatusBar().Handle());
    EXPECT_TRUE(frame_->SplitterReady());

    // The panes are the real ones, set up by their initial updates.
    EXPECT_NE(dynamic_cast<CUpView*>(frame_->LeftSide()->Tree()), nullptr);
    CCheckTreeCtrl& tree = frame_->LeftSide()->Tree()->Tree();
    ASSERT_TRUE(ui::PumpUntil([&] { return tree.FirstChild(kNoNode) != kNoNode; }, std::chrono::seconds(10)));
    EXPECT_EQ(tree.Text(tree.FirstChild(kNoNode)), L"Net");
    EXPECT_EQ(theResultList, &frame_->ResultView()->List());
    EXPECT_EQ(forms_.last->initialUpdates, 1);
    EXPECT_FALSE(forms_.last->advanced);

    wchar_t title[128] = {};
    GetWindowTextW(frame, title, 128);
    EXPECT_STREQ(title, L"Varnokle - make your network transparent!!!");
    // The status bar: "Ready" and "0 items", the count 90 pixels wide; the engine writes to it.
    EXPECT_EQ(theStatusBar, &frame_->StatusBar());
    document_->Engine().Services().statusBar->SetPaneText(kPaneMessage, L"from the engine");
    EXPECT_EQ(frame_->StatusBar().PaneText(0), L"from the engine");
    frame_->StatusBar().SetPaneText(kPaneMessage, L"Ready");
    EXPECT_EQ(frame_->StatusBar().PaneText(0), L"Ready");
    EXPECT_EQ(frame_->StatusBar().PaneText(1), L"0 items");
    int edges[2] = {};
    ASSERT_EQ(frame_->StatusBar().Send(SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], ClientWidth() - 90);
}

TEST_F(MainFrameTest, TheLeftColumnAndTheFormRowFitTheFormAndTheRestGoesToTreeAndResults) {
    Open(1000, 700);
    const FormSize form = forms_.last->laidOut;
    ASSERT_GT(form.width, 0);
    EXPECT_EQ(theFormSize.width, form.width);
    EXPECT_EQ(theFormSize.height, form.height);

    // Between the toolbar and the status bar.
    const PaneRect splitter = RectIn(frame_->Splitter().Handle());
    EXPECT_EQ(splitter.y, RectIn(frame_->ToolBar().Handle()).height);
    EXPECT_EQ(splitter.y + splitter.height, RectIn(frame_->StatusBar().Handle()).y);
    EXPECT_EQ(splitter.width, 1000);

    const int left = form.width + 2 * frameWidth_;
    EXPECT_EQ(RectIn(LeftColumn()), (PaneRect{1, 1, left, splitter.height - 2}));
    EXPECT_EQ(RectIn(ResultPane()), (PaneRect{1 + left + 2, 1, 1000 - 2 - left - 2, splitter.height - 2}));

    const int formRow = form.height + 2 * frameHeight_;
    const PaneRect formPane = RectIn(FormPane());
    const PaneRect treePane = RectIn(TreePane());
    EXPECT_EQ(formPane.height, formRow);
    EXPECT_EQ(formPane.width, left + 2 * GetSystemMetrics(SM_CXEDGE) - 2);
    // The tree above it, the bar between; together they span the inner splitter's inside.
    EXPECT_EQ(treePane.y + treePane.height + 2, formPane.y);
    EXPECT_EQ(treePane.height + 2 + formPane.height, splitter.height - 2 + 2 * GetSystemMetrics(SM_CXEDGE) - 2);
}

TEST_F(MainFrameTest, ANarrowWindowHidesTheLeftColumnAndALowOneTheFormRow) {
    Open(1000, 700);
    const int left = forms_.last->laidOut.width + 2 * frameWidth_;
    SizeClient(left - 10, 700);
    EXPECT_TRUE(RectIn(LeftColumn()).Empty());
    EXPECT_EQ(RectIn(ResultPane()), (PaneRect{3, 1, left - 10 - 4, RectIn(frame_->Splitter().Handle()).height - 2}));

    // Lower than the form with its borders: the tree takes the whole left side.
    const int toolbarAndStatus =
        RectIn(frame_->ToolBar().Handle()).height + RectIn(frame_->StatusBar().Handle()).height;
    SizeClient(1000, toolbarAndStatus + forms_.last->laidOut.height);
    EXPECT_FALSE(RectIn(LeftColumn()).Empty());
    EXPECT_TRUE(RectIn(FormPane()).Empty());
    EXPECT_FALSE(RectIn(TreePane()).Empty());

    // Large again: both come back.
    SizeClient(1000, 700);
    EXPECT_EQ(RectIn(LeftColumn()).width, left);
    EXPECT_EQ(RectIn(FormPane()).height, forms_.last->laidOut.height + 2 * frameHeight_);
}

TEST_F(MainFrameTest, WithoutAFormTheLeftColumnIsEmptyAndTheResultsFillTheWindow) {
    forms_.fail = true;
    Open(800, 600);
    EXPECT_EQ(frame_->LeftSide()->Form(), nullptr);
    EXPECT_EQ(theFormSize.width, 0);
    EXPECT_TRUE(RectIn(LeftColumn()).Empty());
    EXPECT_EQ(RectIn(ResultPane()).width, 800 - 4);
}

TEST_F(MainFrameTest, ADraggedBarStaysUntilTheWindowIsSizedAgain) {
    Open(1000, 700);
    const int left = forms_.last->laidOut.width + 2 * frameWidth_;
    CPaneSplitter& splitter = frame_->Splitter();
    const int barX = 1 + left;
    splitter.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX, 50));
    splitter.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX + 60, 50));
    splitter.Send(WM_LBUTTONUP, 0, MAKELPARAM(barX + 60, 50));
    EXPECT_EQ(RectIn(LeftColumn()).width, left + 60);
    EXPECT_EQ(RectIn(ResultPane()).x, 1 + left + 60 + 2);

    SizeClient(1010, 700);
    EXPECT_EQ(RectIn(LeftColumn()).width, left);
}

TEST_F(MainFrameTest, TheFormsOwnButtonSwapsItAndTheFormRowFollowsTheNewForm) {
    Open(1000, 700);
    TestForm* simple = forms_.last;
    const HWND simpleWindow = simple->Handle();
    const int treeHeight = RectIn(TreePane()).height;
    const int simpleRow = RectIn(FormPane()).height;

    SendMessageW(GetDlgItem(simpleWindow, IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(simpleWindow));
    ASSERT_EQ(forms_.made, 2);
    TestForm* advanced = forms_.last;
    EXPECT_TRUE(advanced->advanced);
    EXPECT_EQ(frame_->LeftSide()->Form(), advanced);
    EXPECT_EQ(advanced->initialUpdates, 1);
    EXPECT_EQ(theFormSize.height, advanced->laidOut.height);
    const int advancedRow = RectIn(FormPane()).height;
    EXPECT_EQ(advancedRow, advanced->laidOut.height + 2 * frameHeight_);
    EXPECT_GT(advancedRow, simpleRow);
    EXPECT_EQ(RectIn(TreePane()).height, treeHeight - (advancedRow - simpleRow));
    // The click put the keyboard in the form: it stays in the new one.
    EXPECT_TRUE(IsChild(FormPane(), GetFocus()) || GetFocus() == FormPane());
    ui::PumpWaitingMessages(); // the old form's object goes

    // And back.
    SendMessageW(GetDlgItem(advanced->Handle(), IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    ui::PumpWaitingMessages();
    EXPECT_FALSE(forms_.last->advanced);
    EXPECT_EQ(RectIn(FormPane()).height, simpleRow);
    EXPECT_EQ(RectIn(TreePane()).height, treeHeight);
}

TEST_F(MainFrameTest, TheMenuAndTheAcceleratorsAreTheProgramsOwn) {
    Open();
    const std::vector<MenuItem> expected = {
        {L"&File", 0, {{L"Save result      \tCtrl+S", 32772, {}}, {L"E&xit", 57665, {}}}},
        {L"&Edit",
         0,
         {{L"&Copy Files            \tCtrl+C", 32773, {}},
          {L"Copy Path", 32779, {}},
          {L"Select All  \tCtrl+A", 32778, {}},
          {L"Delete Items \tDel", 32782, {}},
          {L"Invert Selection", 32798, {}}}},
        {L"&View",
         0,
         {{L"&Toolbar", 59392, {}},
          {L"&Status Bar", 59393, {}},
          {L"&Options", 32802, {}},
          {L"Arrange Icons",
           0,
           {{L"by Name", 32812, {}},
            {L"by Size", 32813, {}},
            {L"by Folder", 32814, {}},
            {L"by Modified", 32817, {}}}}}},
        {L"&Tools", 0, {{L"&Map Network Drive...", 32790, {}}, {L"&Add Server...", 32816, {}}}},
        {L"&Help",
         0,
         {{L"&Varnokle Online", 32804, {}},
          {L"E-Mail", 32808, {}},
          {L"&Tip of the Day...", 32803, {}},
          {L"Help", 57670, {}},
          {L"&About Varnokle...", 57664, {}}}},
    };
    EXPECT_EQ(ReadMenu(GetMenu(frame_->Handle())), expected);

    ACCEL table[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(frame_->Accelerators(), table, 8), 6);
    const auto expect = [&](int i, BYTE flags, WORD key, WORD command) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].fVirt & ~0x80, flags);
        EXPECT_EQ(table[i].key, key);
        EXPECT_EQ(table[i].cmd, command);
    };
    expect(0, FVIRTKEY | FCONTROL, 'A', 32778);
    expect(1, FVIRTKEY | FCONTROL, 'C', 32773); // as the Edit menu's label says
    expect(2, FVIRTKEY | FCONTROL, 'S', 32772);
    expect(3, FVIRTKEY, VK_F6, 57680);
    expect(4, FVIRTKEY | FSHIFT, VK_F6, 57681);
    expect(5, FVIRTKEY, VK_F1, 57670);
}

TEST_F(MainFrameTest, HotMenuItemsAndButtonsShowTheirPromptsAndIdleShowsReady) {
    Open();
    const HMENU menu = GetMenu(frame_->Handle());
    const auto select = [&](UINT item, UINT flags) {
        frame_->Send(WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(menu));
        return frame_->StatusBar().PaneText(0);
    };
    EXPECT_EQ(select(32772, MF_STRING), L"Save result to file");
    EXPECT_EQ(select(32778, MF_STRING), L"Select all");
    EXPECT_EQ(select(57681, MF_STRING), L"Switch back to the previous window pane");
    EXPECT_EQ(select(59393, MF_STRING), L"Show or hide the status bar");
    EXPECT_EQ(select(32798, MF_STRING), L""); // no prompt
    EXPECT_EQ(select(1, MF_POPUP), L"");
    frame_->Send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); // the menu closes
    EXPECT_EQ(frame_->StatusBar().PaneText(0), L"Ready");

    // The pointer over a toolbar button, then off the bar.
    ui::ToolBarCtrl& bar = frame_->ToolBar();
    const RECT button = bar.ButtonRect(ID_TOOLS_MAP_NETWORK_DRIVE);
    bar.Send(WM_MOUSEMOVE, 0, MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2));
    EXPECT_EQ(frame_->StatusBar().PaneText(0), L"Assigns a drive letter to a network resource");
    bar.Send(WM_MOUSELEAVE);
    EXPECT_EQ(frame_->StatusBar().PaneText(0), L"Ready");
}

TEST_F(MainFrameTest, TheToolbarHasTheButtonsAndTheirTooltipsComeFromTheStrings) {
    Open();
    ui::ToolBarCtrl& bar = frame_->ToolBar();
    EXPECT_EQ(bar.Commands(), (std::vector<UINT>{32772, 32773, 32782, 0, 32790, 32802, 0, 57670, 32808, 57664}));
    const auto images = reinterpret_cast<HIMAGELIST>(bar.Send(TB_GETIMAGELIST));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 8);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & TBSTYLE_FLAT);

    // What the bar's tooltip control shows for a button: the string after the line break.
    const auto tip = [&](UINT command) {
        wchar_t text[128] = {};
        TTTOOLINFOW tool{sizeof tool};
        tool.hwnd = bar.Handle();
        tool.uId = command;
        tool.lpszText = text;
        SendMessageW(bar.Tooltips(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    ASSERT_NE(bar.Tooltips(), nullptr);
    EXPECT_EQ(tip(32772), L"Save(Ctrl+S)");
    EXPECT_EQ(tip(32782), L"Delete Items(Del)");
    EXPECT_EQ(tip(32802), L"Options");
    EXPECT_EQ(tip(57664), L"About");
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreDisabledAndTheResultCommandsReachTheResultView) {
    Open();
    EXPECT_EQ(MenuState(0, 32772), 0u); // Save result: always
    EXPECT_EQ(MenuState(0, 57665), 0u);
    for (const UINT command : {32773u, 32779u, 32778u, 32782u, 32798u}) {
        EXPECT_EQ(MenuState(1, command), static_cast<UINT>(MF_GRAYED)) << command; // the list is empty
    }
    EXPECT_EQ(MenuState(2, 59392), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuState(2, 32802), 0u);
    EXPECT_EQ(MenuState(3, 32790), 0u);
    for (const UINT command : {32804u, 32808u, 57670u, 57664u}) {
        EXPECT_EQ(MenuState(4, command), 0u) << command;
    }
    frame_->OnIdle();
    ui::ToolBarCtrl& bar = frame_->ToolBar();
    EXPECT_TRUE(bar.IsEnabled(32772));
    EXPECT_FALSE(bar.IsEnabled(32782));
    EXPECT_TRUE(bar.IsEnabled(32790));
    EXPECT_TRUE(bar.IsEnabled(57664));

    // With a selected row, Delete Items is enabled and reaches the result view; so do the Arrange
    // commands.
    CResultListCtrl& list = frame_->ResultView()->List();
    ResultStore& store = document_->Engine().Results();
    for (const wchar_t* name : {L"b.txt", L"a.txt", L"c.txt"}) {
        const int row = list.InsertRow(list.GetItemCount(), name, 0);
        list.SetRowData(row, static_cast<std::intptr_t>(store.Append(std::wstring(L"\\\\SRV\\share\\") + name, 1)));
    }
    frame_->OnIdle();
    EXPECT_FALSE(bar.IsEnabled(32782)) << "no row selected";
    list.SelectItem(1, true);
    frame_->OnIdle();
    EXPECT_TRUE(bar.IsEnabled(32782));
    EXPECT_EQ(MenuState(1, 32782), 0u);
    list.SelectItem(1, false);
    Command(ID_ARRANGE_BY_NAME); // the first sort by name is descending
    EXPECT_EQ(list.ItemText(0, 0), L"c.txt");
    list.SelectItem(0, true);
    Command(ID_EDIT_DELETE_ITEMS);
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_TRUE(ui::PumpUntil([&] { return !frame_->ResultView()->RefreshPending(); }, std::chrono::seconds(10)));
    EXPECT_EQ(frame_->StatusBar().PaneText(1), L"2 items");
}

TEST_F(MainFrameTest, TheViewMenuHidesAndShowsTheToolbarAndTheStatusBar) {
    Open(900, 600);
    const int toolbarHeight = RectIn(frame_->ToolBar().Handle()).height;
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(IsWindowVisible(frame_->ToolBar().Handle()));
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()).y, 0);
    EXPECT_EQ(MenuState(2, 59392), 0u);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(IsWindowVisible(frame_->StatusBar().Handle()));
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()).height, 600);
    EXPECT_EQ(MenuState(2, 59393), 0u);

    Command(ID_VIEW_TOOLBAR);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()).y, toolbarHeight);
    EXPECT_EQ(MenuState(2, 59392), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuState(2, 59393), static_cast<UINT>(MF_CHECKED));
}

TEST_F(MainFrameTest, TheToolbarDocksOnTheSideItIsDraggedToFloatsElsewhereAndDocksBackFromItsCaption) {
    Open(900, 600);
    ui::DockBar& dock = frame_->ToolBarDock();
    const int statusTop = RectIn(frame_->StatusBar().Handle()).y;
    // The gripper dragged with the mouse and let go at a point of the frame's client area.
    const auto dragTo = [&](POINT client) {
        const RECT gripper = dock.GripperRect();
        dock.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(gripper.left + 3, gripper.top + 3));
        MapWindowPoints(frame_->Handle(), dock.Handle(), &client, 1);
        dock.Send(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        ui::PumpWaitingMessages();
    };
    const UINT first = frame_->ToolBar().Commands().front();
    const UINT second = frame_->ToolBar().Commands().at(1);

    dragTo({4, 300});
    ASSERT_FALSE(dock.Floating());
    EXPECT_EQ(dock.Side(), DockSide::Left);
    const PaneRect bar = RectIn(dock.Handle());
    EXPECT_EQ(bar, (PaneRect{0, 0, bar.width, statusTop}));
    EXPECT_LT(bar.width, 60) << "the buttons stand in a column";
    EXPECT_GT(frame_->ToolBar().ButtonRect(second).top, frame_->ToolBar().ButtonRect(first).top);
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()), (PaneRect{bar.width, 0, 900 - bar.width, statusTop}));

    dragTo({500, 300});
    ASSERT_TRUE(dock.Floating());
    const HWND floating = dock.FloatingWindow();
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_FALSE(IsWindowVisible(dock.Handle()));
    EXPECT_EQ(GetWindow(floating, GW_OWNER), frame_->Handle());
    EXPECT_NE(GetWindowLongW(floating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetParent(frame_->ToolBar().Handle()), floating);
    EXPECT_EQ(frame_->ToolBar().ButtonRect(second).top, frame_->ToolBar().ButtonRect(first).top) << "in a row";
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()), (PaneRect{0, 0, 900, statusTop}));
    // Its buttons still command the frame.
    EXPECT_EQ(reinterpret_cast<HWND>(frame_->ToolBar().Send(TB_SETPARENT, reinterpret_cast<WPARAM>(frame_->Handle()))),
              frame_->Handle());
    // View, Toolbar hides and shows it where it is.
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(IsWindowVisible(floating));
    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(IsWindowVisible(floating));

    SendMessageW(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ui::PumpWaitingMessages();
    EXPECT_FALSE(dock.Floating());
    EXPECT_EQ(dock.Side(), DockSide::Left);
    EXPECT_FALSE(IsWindowVisible(floating));
    EXPECT_EQ(GetParent(frame_->ToolBar().Handle()), dock.Handle());
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()).x, bar.width);

    dragTo({450, statusTop - 3});
    EXPECT_EQ(dock.Side(), DockSide::Bottom);
    const PaneRect bottom = RectIn(dock.Handle());
    EXPECT_EQ(bottom.y + bottom.height, statusTop);
    EXPECT_EQ(RectIn(frame_->Splitter().Handle()), (PaneRect{0, 0, 900, bottom.y}));
}

TEST_F(MainFrameTest, F6AndShiftF6MoveTheFocusFromPaneToPane) {
    Open();
    SetForegroundWindow(frame_->Handle());
    SetFocus(frame_->ResultView()->List().Handle());
    const auto press = [&](bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{GetFocus(), WM_KEYDOWN, VK_F6, 1, 0, {}};
        const bool used = ui::PreTranslate(msg, frame_->Handle(), frame_->Accelerators());
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return used;
    };
    const auto paneOfFocus = [&] {
        const HWND focus = GetFocus();
        for (const HWND pane : {TreePane(), FormPane(), ResultPane()}) {
            if (pane == focus || IsChild(pane, focus)) {
                return pane;
            }
        }
        return HWND{};
    };
    ASSERT_EQ(paneOfFocus(), ResultPane());
    EXPECT_TRUE(press(false));
    EXPECT_EQ(paneOfFocus(), TreePane());
    press(false);
    EXPECT_EQ(paneOfFocus(), FormPane());
    EXPECT_EQ(GetFocus(), GetDlgItem(FormPane(), IDC_TEST_EDIT)); // the form's first control
    press(false);
    EXPECT_EQ(paneOfFocus(), ResultPane());
    press(true);
    EXPECT_EQ(paneOfFocus(), FormPane());
    press(true);
    EXPECT_EQ(paneOfFocus(), TreePane());
}

TEST_F(MainFrameTest, TheKeyboardComesBackToThePaneThatHadItWhenTheFrameIsActivatedAgain) {
    Open();
    SetForegroundWindow(frame_->Handle());
    const HWND tree = frame_->LeftSide()->Tree()->Tree().Handle();
    SetFocus(tree);
    ui::Window other;
    ASSERT_TRUE(other.Create(L"VkOtherWindow", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 0, 50, 50, nullptr, nullptr));
    SetActiveWindow(other.Handle());
    ASSERT_EQ(GetActiveWindow(), other.Handle());
    SetActiveWindow(frame_->Handle());
    EXPECT_EQ(GetFocus(), tree);
}

// Wine cannot turn high contrast on: the query answers for it while the object lives.
class HighContrastSeam {
public:
    HighContrastSeam() : previous_(ui::UseHighContrastQuery([] { return true; })) {}
    ~HighContrastSeam() { ui::UseHighContrastQuery(previous_); }
    HighContrastSeam(const HighContrastSeam&) = delete;
    HighContrastSeam& operator=(const HighContrastSeam&) = delete;

private:
    ui::HighContrastQuery previous_;
};

TEST_F(MainFrameTest, InHighContrastTheTreeAndTheListShowTheSystemsTextColour) {
    Open();
    const ui::TreeViewCtrl& tree = frame_->LeftSide()->Tree()->Tree();
    const ui::ListViewCtrl& list = frame_->ResultView()->List();
    ASSERT_EQ(tree.TextColor(), RGB(0, 0, 255));
    ASSERT_EQ(list.TextColor(), RGB(0, 0, 255));
    {
        // The system tells top-level windows of new colours; the frame tells everything inside it.
        HighContrastSeam highContrast;
        frame_->Send(WM_SYSCOLORCHANGE);
        EXPECT_EQ(tree.TextColor(), GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(list.TextColor(), GetSysColor(COLOR_WINDOWTEXT));
    }
    // High contrast off again (the system also says so with WM_SETTINGCHANGE).
    frame_->Send(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
    EXPECT_EQ(tree.TextColor(), RGB(0, 0, 255));
    EXPECT_EQ(list.TextColor(), RGB(0, 0, 255));
}

// The locale's short time format as the test says, while the object lives.
class ShortTimeSeam {
public:
    ShortTimeSeam() : previous_(ui::UseLocaleInfoQuery(Query)) {}
    ~ShortTimeSeam() { ui::UseLocaleInfoQuery(previous_); }
    ShortTimeSeam(const ShortTimeSeam&) = delete;
    ShortTimeSeam& operator=(const ShortTimeSeam&) = delete;

    static inline std::wstring shortTime;

private:
    static std::wstring Query(unsigned long type) { return type == LOCALE_SSHORTTIME ? shortTime : L""; }
    ui::LocaleInfoQuery previous_;
};

TEST_F(MainFrameTest, TheModifiedColumnTakesANewTimeFormatWhenTheRegionalSettingsChange) {
    Open();
    ShortTimeSeam seam;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto fileTime =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    ShortTimeSeam::shortTime = L"HH'h'mm";
    const std::wstring before = ModifiedText(fileTime);
    ASSERT_NE(before.find(L'h'), std::wstring::npos) << before;
    // Read once and kept: a change the system has not announced does not show.
    ShortTimeSeam::shortTime = L"HH'u'mm";
    EXPECT_EQ(ModifiedText(fileTime), before);
    // Another setting changed: nothing to read again.
    frame_->Send(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
    EXPECT_EQ(ModifiedText(fileTime), before);
    frame_->Send(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    const std::wstring after = ModifiedText(fileTime);
    EXPECT_NE(after.find(L'u'), std::wstring::npos) << after;
}

// Windows finds no mnemonics in owner-drawn items (Wine does): the frame answers the letters.
TEST_F(MainFrameTest, LettersTypedInTheOwnerDrawnMenusChooseOrMoveThroughTheirItems) {
    Open();
    const HWND frame = frame_->Handle();
    const auto opened = [&](HMENU popup) {
        SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
        return popup;
    };
    const auto typed = [&](wchar_t letter, HMENU popup) {
        return SendMessageW(frame, WM_MENUCHAR, MAKEWPARAM(letter, MF_POPUP), reinterpret_cast<LPARAM>(popup));
    };
    const HMENU file = opened(GetSubMenu(GetMenu(frame), 0));
    EXPECT_EQ(typed(L'x', file), MAKELRESULT(1, MNC_EXECUTE)) << "Alt+F, X: Exit";
    EXPECT_EQ(typed(L'q', file), MAKELRESULT(0, MNC_IGNORE));

    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"&Copy");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 2, L"&Cut");
    opened(popup);
    EXPECT_EQ(typed(L'C', popup), MAKELRESULT(0, MNC_SELECT));
    MENUITEMINFOW hot{sizeof hot, MIIM_STATE};
    hot.fState = MFS_HILITE;
    SetMenuItemInfoW(popup, 0, TRUE, &hot);
    EXPECT_EQ(typed(L'c', popup), MAKELRESULT(2, MNC_SELECT)) << "on to the next";
    DestroyMenu(popup);
}

TEST_F(MainFrameTest, MapNetworkDriveShowsTheSystemsWordsOrTheCodeAndNothingOnSuccessOrCancel) {
    Open();
    // Wine has no network: the system's dialog answers at once with an error.
    shell_.useSystemDialog = true;
    {
        DialogCloser box(kProgramName);
        Command(ID_TOOLS_MAP_NETWORK_DRIVE);
        box.Join();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, SystemErrorText(1222));
        EXPECT_EQ(box.owner, frame_->Handle());
        EXPECT_EQ(box.icon, LoadIconW(nullptr, IDI_INFORMATION));
    }
    // The dialog is modal to the frame.
    EXPECT_EQ(shell_.driveDialogOwner, frame_->Handle());
    // An extended error: the network provider's words, or the system's when it has none.
    shell_.useSystemDialog = false;
    shell_.driveDialogAnswer = ERROR_EXTENDED_ERROR;
    for (const std::wstring provider : {L"Example Network: The server refused the drive.", L""}) {
        shell_.extendedError = provider;
        DialogCloser box(kProgramName);
        Command(ID_TOOLS_MAP_NETWORK_DRIVE);
        box.Join();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, provider.empty() ? SystemErrorText(ERROR_EXTENDED_ERROR) : provider);
    }
    // A code the system has no text for: the code as a number.
    shell_.useSystemDialog = false;
    shell_.driveDialogAnswer = 0xE0001234;
    {
        DialogCloser box(kProgramName);
        Command(ID_TOOLS_MAP_NETWORK_DRIVE);
        box.Join();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, L"Error " + std::to_wstring(0xE0001234u) + L".");
    }
    for (const DWORD answer : {DWORD{NO_ERROR}, DWORD{0xFFFFFFFF}}) {
        shell_.driveDialogAnswer = answer;
        DialogCloser box(kProgramName, std::chrono::milliseconds(300));
        Command(ID_TOOLS_MAP_NETWORK_DRIVE);
        box.Join();
        EXPECT_FALSE(box.found) << answer;
    }
}

TEST_F(MainFrameTest, HelpOpensTheFileBesideTheProgramOrHereAndSaysSoWhenItIsNowhereOrCannotBeShown) {
    Open();
    tree_.MakeDir("cwd");
    tree_.MakeDir("program");
    shell_.programFolder = tree_.Native("program");
    CurrentDirectory here(tree_.PathOf("cwd"));
    {
        DialogCloser box(kProgramName);
        Command(ID_HELP_CONTENTS);
        box.Join();
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.text, kTextHelpFileMissing);
        EXPECT_TRUE(shell_.opened.empty());
    }
    tree_.MakeFile("cwd/Varnokle.chm", "chm");
    Command(ID_HELP_CONTENTS);
    tree_.MakeFile("program/Varnokle.chm", "chm");
    Command(ID_HELP_CONTENTS);
    const HWND frame = frame_->Handle();
    EXPECT_EQ(shell_.opened, (std::vector<OpenCall>{{frame, L"Varnokle.chm", SW_SHOWNORMAL},
                                                    {frame, tree_.Native("program/Varnokle.chm"), SW_SHOWNORMAL}}));
    // The viewer cannot show it: the file and the system's reason.
    shell_.documentAnswer = ERROR_NO_ASSOCIATION;
    {
        DialogCloser box(kProgramName);
        Command(ID_HELP_CONTENTS);
        box.Join();
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.text, kTextHelpViewerFailed + tree_.Native("program/Varnokle.chm") + L"\n" +
                                SystemErrorText(ERROR_NO_ASSOCIATION));
        EXPECT_EQ(box.owner, frame);
    }
}

TEST_F(MainFrameTest, OnlineAndEMailOpenTheProjectsAddresses) {
    Open();
    Command(ID_HELP_ONLINE);
    Command(ID_HELP_EMAIL);
    EXPECT_EQ(shell_.opened,
              (std::vector<OpenCall>{{frame_->Handle(), L"https://varnokle.example.org/", SW_SHOW},
                                     {frame_->Handle(), L"mailto:support@varnokle.example.org", SW_SHOWNORMAL}}));
}

// What the shell is asked for Online, E-Mail and a row's Open: with the window that owns its
// dialogs, and never told to keep quiet (SEE_MASK_FLAG_NO_UI), so that a file without a program
// gets the system's "Open with" choice and a failure its message. Wine shows neither dialog.
struct ShellExecuteCall {
    HWND owner;
    ULONG mask;
    std::wstring verb;
};
std::vector<ShellExecuteCall> theShellExecuteCalls;

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* info) {
    theShellExecuteCalls.push_back({info->hwnd, info->fMask, info->lpVerb ? info->lpVerb : L""});
    SetLastError(ERROR_NO_ASSOCIATION);
    return FALSE;
}

TEST(ShellVerbs, TheShellGetsAnOwnerForItsOwnDialogsAndIsNeverToldToKeepQuiet) {
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    theShellExecuteCalls.clear();
    const ui::ShellExecuteFunction previous = ui::UseShellExecute(&RecordShellExecute);
    SystemFrameShell().Open(owner, L"https://varnokle.example.org/", SW_SHOW);
    NetworkEnvironment environment;
    ShellActions(environment).Execute(L"open", L"C:\\no program for.this", owner);
    ui::UseShellExecute(previous);
    DestroyWindow(owner);
    ASSERT_EQ(theShellExecuteCalls.size(), 2u);
    for (const ShellExecuteCall& call : theShellExecuteCalls) {
        EXPECT_EQ(call.owner, owner);
        EXPECT_EQ(call.mask & SEE_MASK_FLAG_NO_UI, 0u);
        EXPECT_EQ(call.verb, L"open");
    }
}

TEST_F(MainFrameTest, AboutShowsTheProgramsPictureCentredOverTheFrameAndExitClosesTheFrame) {
    Open(700, 500);
    SetWindowPos(frame_->Handle(), nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        DialogCloser about(L"");
        Command(ID_APP_ABOUT);
        about.Join();
        ASSERT_TRUE(about.found);
        EXPECT_EQ(about.owner, frame_->Handle());
        RECT frame{};
        GetWindowRect(frame_->Handle(), &frame);
        EXPECT_NEAR((about.rect.left + about.rect.right) / 2, (frame.left + frame.right) / 2, 1);
        EXPECT_NEAR((about.rect.top + about.rect.bottom) / 2, (frame.top + frame.bottom) / 2, 1);
        EXPECT_EQ(about.picture.cx, CAboutBox::kPictureWidth);
        EXPECT_EQ(about.picture.cy, CAboutBox::kPictureHeight);
    }
    const HWND frame = frame_->Handle();
    Command(ID_APP_EXIT);
    EXPECT_TRUE(ui::PumpUntil([&] { return !IsWindow(frame); }, std::chrono::seconds(10)));
}

} // namespace
} // namespace vk
