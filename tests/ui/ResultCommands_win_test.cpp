// The commands on the results as the user reaches them in the main frame: the result list's
// pop-up menu, the states of the result commands in menus and toolbar, the clipboard (read back
// with the clipboard functions), Ctrl+C, and Save result in both formats, through the real save
// dialog too. The frame, its result view and the engine are the real ones on a folder network;
// the result view's shell calls are recorded.
#include "document/Varnokle2Doc.h"
#include "engine/EngineLocks.h"
#include "engine/EngineTexts.h"
#include "engine/ModifiedTime.h"
#include "framework/MessageLoop.h"
#include "platform/NetworkEnvironment.h"
#include "resource.h"
#include "results/ResultExport.h"
#include "results/Utf8Exports.h"
#include "results/win/ResultClipboard.h"
#include "results/win/SaveResult.h"
#include "results/win/ShellActions.h"
#include "results/win/Varnokle2View.h"
#include "shell/ShellTexts.h"
#include "shell/win/MainFrame.h"
#include "support/TempTree.h"
#include "ui/support/DialogWatcher.h"
#include "ui/support/MenuDriver.h"
#include "ui/support/MenuRecorder.h"
#include "ui/support/SaveAsTyper.h"
#include "ui/support/TestForm.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vk {
namespace {

using testing::DialogCloser;
using testing::MenuDriver;
using testing::MenuItem;
using testing::SaveAsTyper;

// Records the result view's shell calls; attributes come from the folder network.
class RecordingShell final : public IShellActions {
public:
    explicit RecordingShell(const NetworkEnvironment& environment) : system_(environment) {}
    DWORD Attributes(const std::wstring& path) override { return system_.Attributes(path); }
    void Execute(const std::wstring& verb, const std::wstring& path, HWND) override {
        calls.push_back(verb + L" " + path);
    }
    void ShowProperties(const std::wstring& path) override { calls.push_back(L"properties " + path); }
    std::vector<std::wstring> calls;

private:
    ShellActions system_;
};

// What the clipboard holds in a format, as bytes; empty when it has nothing in it.
std::vector<unsigned char> ClipboardBytes(UINT format) {
    std::vector<unsigned char> bytes;
    if (!OpenClipboard(nullptr)) {
        ADD_FAILURE() << "cannot open the clipboard";
        return bytes;
    }
    if (const HANDLE data = GetClipboardData(format)) {
        const auto* memory = static_cast<const unsigned char*>(GlobalLock(data));
        bytes.assign(memory, memory + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

void PutTextOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

std::wstring ClipboardText() {
    const auto bytes = ClipboardBytes(CF_UNICODETEXT);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text.c_str();
}

class ResultCommands : public ::testing::Test {
protected:
    void SetUp() override { tree_.MakeDir("Net/DOM/SRV/share"); }

    void TearDown() override {
        frame_.reset();
        document_.reset();
        theFormSize = {};
    }

    void MakeFile(const std::string& relative, std::string_view bytes = "x") {
        tree_.MakeFile("Net/DOM/SRV/share/" + relative, bytes);
    }

    void Open() {
        ASSERT_EQ(environment_.UseFolderNetwork(tree_.Root()), kErrorSuccess);
        document_ = std::make_unique<CVarnokle2Doc>(environment_);
        shell_ = std::make_unique<RecordingShell>(environment_);
        CMainFrame::Setup setup;
        setup.makeForm = [this](bool advanced, IFormHost& host) { return forms_(advanced, host); };
        setup.resultShell = shell_.get();
        frame_ = std::make_unique<CMainFrame>(*document_, setup);
        ASSERT_TRUE(frame_->CreateFrame());
        frame_->InitialUpdate();
        SetWindowPos(frame_->Handle(), nullptr, 0, 0, 1000, 700, SWP_NOZORDER);
        ShowWindow(frame_->Handle(), SW_SHOW);
        ui::PumpWaitingMessages();
    }

    // A search as a form's Start button runs it over the network tree (all of it checked), waited
    // for while the messages of its threads are handled.
    void Search(const std::wstring& mask) {
        CSearchEngine& engine = document_->Engine();
        engine.Request().fileMask = mask;
        engine.searchRunning = true;
        ASSERT_TRUE(engine.StartSearch());
        ASSERT_TRUE(ui::PumpUntil([&] { return !engine.SearchThreadsRunning(); }, std::chrono::seconds(20)));
        engine.WaitForSearchEnd();
        ASSERT_TRUE(ui::PumpUntil([&] { return !frame_->ResultView()->RefreshPending(); }, std::chrono::seconds(10)));
    }

    CResultListCtrl& List() { return frame_->ResultView()->List(); }
    ResultStore& Store() { return document_->Engine().Results(); }
    void Command(UINT id) { frame_->Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // A row the way the engine adds one: a store entry and a row that leads to it.
    void AddRow(const std::wstring& name, const std::wstring& size, const std::wstring& folder,
                std::int64_t modified = 0) {
        const std::size_t index = Store().Append(folder + L"\\" + name, 0, modified);
        const int row = List().InsertRow(List().GetItemCount(), name, 0);
        if (!size.empty()) {
            List().SetColumnText(row, 1, size);
        }
        List().SetColumnText(row, 2, folder);
        List().SetRowData(row, static_cast<std::intptr_t>(index));
    }

    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (int row = 0; row < List().ItemCount(); ++row) {
            names.push_back(List().ItemText(row, 0));
        }
        return names;
    }

    void Select(const std::vector<int>& rows) {
        List().SelectItem(-1, false);
        for (const int row : rows) {
            List().SelectItem(row, true);
        }
    }

    POINT PointOnRow(int row) {
        RECT rect{};
        rect.left = LVIR_LABEL;
        List().Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        return {rect.left + 4, (rect.top + rect.bottom) / 2};
    }

    // The user's right click at a point of the list, with a menu driver ready for what opens.
    void RightClick(POINT point) {
        List().Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        ui::PumpWaitingMessages();
    }

    UINT MenuState(int popup, UINT command) {
        const HMENU menu = GetSubMenu(GetMenu(frame_->Handle()), popup);
        frame_->Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(popup, FALSE));
        return GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED;
    }

    // Ctrl and a key as the message loop sees them, with the keyboard focus at `focus`.
    bool PressCtrl(HWND focus, WPARAM key) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG msg{focus, WM_KEYDOWN, key, 1, 0, {}};
        const bool used = ui::PreTranslate(msg, frame_->Handle(), frame_->Accelerators());
        if (!used) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ui::PumpWaitingMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return used;
    }

    std::wstring Out(const std::string& name) { return tree_.Native("out/" + name); }

    test::TempTree tree_;
    NetworkEnvironment environment_;
    std::unique_ptr<CVarnokle2Doc> document_;
    std::unique_ptr<RecordingShell> shell_;
    testing::TestFormFactory forms_;
    std::unique_ptr<CMainFrame> frame_;
};

// The pop-up menu

TEST_F(ResultCommands, RightClickOnARowShowsThePopupMenuWhoseOpenActsOnThatRow) {
    MakeFile("a.txt");
    MakeFile("b.txt");
    MakeFile("c.txt");
    Open();
    Search(L"*.txt");
    Command(ID_ARRANGE_BY_NAME);
    Command(ID_ARRANGE_BY_NAME); // a, b, c
    Select({0});
    MenuDriver menu({VK_DOWN, VK_DOWN, VK_RETURN}); // the first item, then over the separator to "Open"
    RightClick(PointOnRow(2));
    ASSERT_EQ(menu.menusOpened, 1);
    EXPECT_EQ(menu.owner, frame_->Handle());
    const std::vector<MenuItem> expected = {
        {L"Open Containing Folder", 32811, {}},
        {L"", 0, {}},
        {L"Open", 32806, {}},
        {L"Copy files", 32773, {}},
        {L"Copy path", 32779, {}},
        {L"Arrange Icons",
         0,
         {{L"by Name", 32812, {}}, {L"by Size", 32813, {}}, {L"by Folder", 32814, {}}, {L"by Modified", 32817, {}}}},
        {L"Select All", 32778, {}},
        {L"Delete Items from Result List", 32782, {}},
        {L"", 0, {}},
        {L"Properties", 32807, {}},
    };
    EXPECT_EQ(menu.items, expected);
    // The command went to the frame, which handed it to the view: the right-clicked row opens.
    EXPECT_EQ(shell_->calls, (std::vector<std::wstring>{L"open \\\\SRV\\share\\c.txt"}));
    EXPECT_EQ(List().rightClickPoint.y, PointOnRow(2).y);
}

TEST_F(ResultCommands, PropertiesAndDeleteFromThePopupMenu) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share");
    AddRow(L"b.txt", L"2", L"\\\\SRV\\share");
    {
        MenuDriver menu({VK_UP, VK_RETURN}); // from the top round to the last item
        RightClick(PointOnRow(1));
        ASSERT_EQ(menu.menusOpened, 1);
    }
    EXPECT_EQ(shell_->calls, (std::vector<std::wstring>{L"properties \\\\SRV\\share\\b.txt"}));
    {
        MenuDriver menu({VK_UP, VK_UP, VK_RETURN}); // "Delete Items from Result List"
        RightClick(PointOnRow(0));
    }
    // The list's own handling of the press selected the clicked row; that is the one deleted.
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"b.txt"}));
    EXPECT_EQ(Store().Count(), 2u);
}

// The frame owns the pop-up menu, so it draws it as it draws its own drop-down menus.
TEST_F(ResultCommands, ThePopupMenuIsOwnerDrawnByTheFrameLikeItsDropDownMenus) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share");
    testing::MenuRecorder menus({VK_UP, VK_UP, VK_UP, VK_UP, VK_RIGHT}); // up to Arrange Icons, opened
    RightClick(PointOnRow(0));
    ASSERT_EQ(menus.popups.size(), 2u) << "the pop-up and its Arrange Icons";
    for (const auto& popup : menus.popups) {
        EXPECT_FALSE(popup.systemMenu);
        EXPECT_EQ(popup.ownerDrawn, popup.items);
    }
    EXPECT_EQ(menus.popups[0].items, 10);
    EXPECT_EQ(menus.measured[0].cx, 26) << "a separator";
    EXPECT_EQ(menus.measured.count(ID_EDIT_COPY_FILES), 1u);
    EXPECT_EQ(menus.measured.count(ID_ARRANGE_BY_SIZE), 1u);
    EXPECT_NE(std::find(menus.drawn.begin(), menus.drawn.end(), ID_EDIT_DELETE_ITEMS), menus.drawn.end());
    EXPECT_TRUE(shell_->calls.empty()) << "nothing was chosen";
}

TEST_F(ResultCommands, RightClickBesideTheRowsShowsNoMenu) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share");
    MenuDriver menu({VK_ESCAPE});
    const POINT below{10, 400};
    // The list follows the button until it comes up.
    PostMessageW(List().Handle(), WM_RBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    RightClick(below);
    EXPECT_EQ(menu.menusOpened, 0);
    EXPECT_EQ(List().rightClickPoint.y, 400);
}

// Enabling

// Select All and Invert Selection need a row; Copy Files, Copy Path and Delete a selected one.
TEST_F(ResultCommands, TheFiveCommandsAreEnabledWhenTheListHasRowsOrASelectionSaveAlways) {
    Open();
    const UINT five[] = {ID_EDIT_COPY_FILES, ID_EDIT_COPY_PATH, ID_EDIT_SELECT_ALL, ID_EDIT_DELETE_ITEMS,
                         ID_EDIT_INVERT_SELECTION};
    frame_->OnIdle();
    for (const UINT command : five) {
        EXPECT_EQ(MenuState(1, command), static_cast<UINT>(MF_GRAYED)) << command;
    }
    EXPECT_EQ(MenuState(0, ID_FILE_SAVE_RESULT), 0u);
    EXPECT_FALSE(frame_->ToolBar().IsEnabled(ID_EDIT_COPY_FILES));
    EXPECT_FALSE(frame_->ToolBar().IsEnabled(ID_EDIT_DELETE_ITEMS));
    EXPECT_TRUE(frame_->ToolBar().IsEnabled(ID_FILE_SAVE_RESULT));

    MakeFile("one.txt");
    Search(L"*.txt");
    Select({});
    frame_->OnIdle();
    for (const UINT command : five) {
        const bool needsSelection = command != ID_EDIT_SELECT_ALL && command != ID_EDIT_INVERT_SELECTION;
        EXPECT_EQ(MenuState(1, command), needsSelection ? static_cast<UINT>(MF_GRAYED) : 0u) << command;
    }
    EXPECT_FALSE(frame_->ToolBar().IsEnabled(ID_EDIT_COPY_FILES));
    EXPECT_FALSE(frame_->ToolBar().IsEnabled(ID_EDIT_DELETE_ITEMS));
    Select({0});
    frame_->OnIdle();
    for (const UINT command : five) {
        EXPECT_EQ(MenuState(1, command), 0u) << command;
    }
    EXPECT_TRUE(frame_->ToolBar().IsEnabled(ID_EDIT_COPY_FILES));
    EXPECT_TRUE(frame_->ToolBar().IsEnabled(ID_EDIT_DELETE_ITEMS));

    // A search that finds nothing disables them again.
    Search(L"*.none");
    frame_->OnIdle();
    EXPECT_EQ(MenuState(1, ID_EDIT_SELECT_ALL), static_cast<UINT>(MF_GRAYED));
    EXPECT_FALSE(frame_->ToolBar().IsEnabled(ID_EDIT_COPY_FILES));
}

TEST_F(ResultCommands, SelectAllAndInvertSelection) {
    Open();
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) {
        AddRow(name, L"", L"\\\\SRV\\share");
    }
    LVITEMW focus{};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    List().Send(LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
    Select({1});
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(List().NextItem(-1, LVNI_FOCUSED), 2); // the focus stays
    Select({0, 2});
    Command(ID_EDIT_INVERT_SELECTION);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{1, 3}));
    Command(ID_EDIT_INVERT_SELECTION);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 2}));
}

// The clipboard

// Rows of a server that the folder network does not have keep their UNC paths.
TEST_F(ResultCommands, CopyFilesPutsTheSelectedPathsInRowOrderAsAFileList) {
    Open();
    AddRow(L"zero.txt", L"1", L"\\\\XYZ\\share");
    AddRow(L"f1.txt", L"1", L"\\\\XYZ\\sh"); // 15 characters
    AddRow(L"two.txt", L"1", L"\\\\XYZ\\share");
    AddRow(L"eight.tx", L"1", L"\\\\XYZ\\share"); // 20 characters
    Select({3, 1});
    Command(ID_EDIT_COPY_FILES);

    const auto bytes = ClipboardBytes(CF_HDROP);
    ASSERT_GE(bytes.size(), 99u); // the system may round the block up
    EXPECT_EQ(bytes[0], 20);
    EXPECT_EQ(bytes[16], 1);
    std::wstring list(reinterpret_cast<const wchar_t*>(bytes.data() + 20), 37);
    EXPECT_EQ(list, std::wstring(L"\\\\XYZ\\sh\\f1.txt\0\\\\XYZ\\share\\eight.tx\0", 37));
    for (std::size_t i = 20 + 74; i < 99; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    // The shell reads it back as two files.
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    wchar_t file[MAX_PATH] = {};
    DragQueryFileW(drop, 1, file, MAX_PATH);
    EXPECT_STREQ(file, L"\\\\XYZ\\share\\eight.tx");
    CloseClipboard();
}

// On a folder network the files are pasted from the folders they lie in, as Open opens them.
TEST_F(ResultCommands, CopyFilesOnAFolderNetworkPutsThePathsTheShellOpens) {
    MakeFile("one.txt");
    Open();
    Search(L"one.txt");
    Select({0});
    Command(ID_EDIT_COPY_FILES);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    wchar_t file[MAX_PATH] = {};
    if (drop) {
        DragQueryFileW(drop, 0, file, MAX_PATH);
    }
    CloseClipboard();
    EXPECT_EQ(std::wstring(file), tree_.Native("Net/DOM/SRV/share/one.txt"));
}

TEST_F(ResultCommands, CopyPathPutsTheFirstSelectedRowsFolderAsText) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share\\\u0444\u0430\u0439\u043b");
    AddRow(L"b.txt", L"1", L"\\\\SRV\\other");
    Select({1, 0});
    Command(ID_EDIT_COPY_PATH);
    EXPECT_EQ(ClipboardText(), L"\\\\SRV\\share\\\u0444\u0430\u0439\u043b");
}

TEST_F(ResultCommands, WithoutASelectionOrWithTheClipboardHeldNothingChangesAndAFailedCopyIsSaid) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share");
    PutTextOnClipboard(L"kept");
    Select({});
    Command(ID_EDIT_COPY_FILES);
    Command(ID_EDIT_COPY_PATH);
    EXPECT_EQ(ClipboardText(), L"kept");

    Select({0});
    ASSERT_TRUE(OpenClipboard(nullptr)); // another program holds it
    EXPECT_FALSE(CopySelectedFiles(List(), Store(), environment_, frame_->Handle()));
    EXPECT_FALSE(CopySelectedPath(List(), frame_->Handle()));
    {
        DialogCloser box(kProgramName);
        Command(ID_EDIT_COPY_FILES);
        box.Join();
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.text, kTextClipboardFailed);
        EXPECT_EQ(box.owner, frame_->Handle());
    }
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), L"kept");
}

TEST_F(ResultCommands, CtrlCAndCtrlAActOnTheRowsInTheListAndOnTheTextInAnEditBox) {
    Open();
    AddRow(L"a.txt", L"1", L"\\\\SRV\\share");
    Select({0});
    PutTextOnClipboard(L"before");
    EXPECT_TRUE(PressCtrl(List().Handle(), 'C'));
    EXPECT_GE(ClipboardBytes(CF_HDROP).size(), 20u + 2 * (17 + 1) + 5); // \\SRV\share\a.txt

    const HWND edit = GetDlgItem(forms_.last->Handle(), IDC_TEST_EDIT);
    SetWindowTextW(edit, L"mask text");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    PressCtrl(edit, 'C');
    EXPECT_EQ(ClipboardText(), L"mask text");

    // Ctrl+A selects the box's text and leaves the rows as they are.
    Select({});
    SendMessageW(edit, EM_SETSEL, 2, 4);
    EXPECT_TRUE(PressCtrl(edit, 'A'));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    EXPECT_TRUE(List().SelectedRows().empty());
}

// Save result

class SaveResultTest : public ResultCommands {
protected:
    void SetUp() override {
        ResultCommands::SetUp();
        MakeFile("alpha.txt", "12345");
        MakeFile("beta.txt", "1");
        MakeFile("gamma.txt", "123");
        tree_.MakeDir("out");
        Open();
        Search(L"*.txt");
        ASSERT_EQ(List().ItemCount(), 3);
    }

    // The store's paths in the order found, one a line, as the text file has them.
    std::string StoreLines() {
        std::string lines;
        for (const std::wstring& path : Store().Copy().resultPaths) {
            lines += std::string(path.begin(), path.end()) + "\r\n";
        }
        return lines;
    }
};

std::string Row(const std::string& name, const std::string& size) {
    return "\r\n<tr><td>\r\n<a href=\"\\\\SRV\\share\\" + name + "\">" + name +
           "</a></td>\r\n<td><a href=\"\\\\SRV\\share\">\\\\SRV\\share</a>\r\n</td>\r\n<td>" + size +
           "\r\n</td>\r\n</tr>\r\n";
}

TEST_F(SaveResultTest, AfterDeletionAndSortTheTextKeepsTheStoreAndThePageTheShownRows) {
    const std::string found = StoreLines();
    Select({0});
    const std::wstring deleted = List().ItemText(0, 0);
    frame_->ResultView()->DeleteItems();
    Command(ID_ARRANGE_BY_NAME); // descending first
    ASSERT_EQ(List().ItemCount(), 2);

    ASSERT_TRUE(WriteResultFile(Out("r.txt"), List(), Store(), frame_->Handle()));
    EXPECT_EQ(tree_.ReadFile("out/r.txt"), found);
    EXPECT_NE(found.find(std::string(deleted.begin(), deleted.end())), std::string::npos);

    ASSERT_TRUE(WriteResultFile(Out("r.html"), List(), Store(), frame_->Handle()));
    const std::string page = tree_.ReadFile("out/r.html");
    std::string rows;
    for (int row = 0; row < 2; ++row) {
        const std::wstring name = List().ItemText(row, 0);
        const std::wstring size = List().ItemText(row, 1);
        rows += Row(std::string(name.begin(), name.end()), std::string(size.begin(), size.end()));
    }
    EXPECT_GT(List().ItemText(0, 0), List().ItemText(1, 0));
    EXPECT_EQ(page.substr(0, 13), "<html><title>");
    const auto tableEnd = page.find("\r\r\n</table>");
    const auto firstRow = page.find("\r\n<tr><td>");
    ASSERT_NE(firstRow, std::string::npos);
    EXPECT_EQ(page.substr(firstRow, tableEnd - firstRow), rows);
    EXPECT_EQ(page.substr(tableEnd), "\r\r\n</table></body></html>");

    // Upper-case extensions and other names give the text format.
    ASSERT_TRUE(WriteResultFile(Out("r.HTML"), List(), Store(), frame_->Handle()));
    EXPECT_EQ(tree_.ReadFile("out/r.HTML"), found);
}

TEST_F(SaveResultTest, AHostileNameShowsAsTextInThePage) {
    AddRow(L"<img src=x onerror=alert(1)>.txt", L"9", L"\\\\SRV\\a&b");
    AddRow(L"\u0416.txt", L"", L"\\\\SRV\\share");
    ASSERT_TRUE(WriteResultFile(Out("h.htm"), List(), Store(), frame_->Handle()));
    const std::string page = tree_.ReadFile("out/h.htm");
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"\\\\SRV\\a&amp;b\\&lt;img src=x onerror=alert(1)&gt;.txt\">"
                        "&lt;img src=x onerror=alert(1)&gt;.txt</a>"),
              std::string::npos);
    EXPECT_NE(page.find(">&#1046;.txt</a>"), std::string::npos);

    ASSERT_TRUE(WriteResultFile(Out("h.txt"), List(), Store(), frame_->Handle()));
    EXPECT_NE(tree_.ReadFile("out/h.txt").find("\\\\SRV\\share\\&#1046;.txt\r\n"), std::string::npos);
}

TEST_F(SaveResultTest, AFileThatCannotBeWrittenIsReportedByName) {
    // A folder that does not exist, and a file another program holds without sharing.
    const std::wstring missing = tree_.Native("no such folder/r.txt");
    {
        DialogCloser box(kProgramName);
        EXPECT_FALSE(WriteResultFile(missing, List(), Store(), frame_->Handle()));
        box.Join();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, missing + L" contains an invalid path.");
        EXPECT_EQ(box.owner, frame_->Handle());
    }
    const std::wstring held = Out("held.html");
    const HANDLE other = CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    {
        DialogCloser box(kProgramName);
        EXPECT_FALSE(WriteResultFile(held, List(), Store(), frame_->Handle()));
        box.Join();
        EXPECT_EQ(box.text, L"A sharing violation occurred while accessing " + held + L".");
    }
    CloseHandle(other);
}

TEST_F(SaveResultTest, ExportAndCopyDoNotWaitForAWalkerHoldingTheEngineLocks) {
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
    // Held until the test is done, or for 5 s: a command that waited for them would take that long
    // instead of hanging.
    std::thread walker([&] {
        std::scoped_lock locks(hitLock, listLock, countLock);
        held = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!release && std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
    });
    while (!held) {
        std::this_thread::yield();
    }
    const auto start = std::chrono::steady_clock::now();
    Select({0, 2});
    const bool copied = CopySelectedFiles(List(), Store(), environment_, frame_->Handle());
    const bool text = WriteResultFile(Out("locked.txt"), List(), Store(), frame_->Handle());
    const bool page = WriteResultFile(Out("locked.html"), List(), Store(), frame_->Handle());
    const auto took = std::chrono::steady_clock::now() - start;
    release = true;
    walker.join();
    EXPECT_LT(took, std::chrono::seconds(4));
    EXPECT_TRUE(copied);
    EXPECT_TRUE(text);
    EXPECT_TRUE(page);
    EXPECT_EQ(tree_.ReadFile("out/locked.txt"), StoreLines());
}

// The whole command as the user runs it: Ctrl+A, then Save result from the File menu, a name
// typed into the real save dialog.
TEST_F(SaveResultTest, SaveResultThroughTheSaveDialogInBothFormats) {
    SetForegroundWindow(frame_->Handle());
    SetFocus(List().Handle());
    EXPECT_TRUE(PressCtrl(List().Handle(), 'A'));
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1, 2}));
    const std::wstring listed[] = {List().ItemText(0, 0), List().ItemText(1, 0), List().ItemText(2, 0)};

    {
        SaveAsTyper dialog(Out("saved.txt"));
        Command(ID_FILE_SAVE_RESULT);
        dialog.Join();
        ASSERT_TRUE(dialog.found);
        EXPECT_EQ(dialog.owner, frame_->Handle());
        EXPECT_EQ(dialog.filterShown, L"Web Page(*.html;*.htm)");
    }
    const std::string text = tree_.ReadFile("out/saved.txt");
    EXPECT_EQ(text, StoreLines());
    for (const char* name : {"alpha.txt", "beta.txt", "gamma.txt"}) {
        EXPECT_NE(text.find(std::string("\\\\SRV\\share\\") + name + "\r\n"), std::string::npos) << name;
    }
    {
        SaveAsTyper dialog(Out("saved.html"));
        Command(ID_FILE_SAVE_RESULT);
        dialog.Join();
        ASSERT_TRUE(dialog.found);
    }
    const std::string page = tree_.ReadFile("out/saved.html");
    std::string rows;
    const std::map<std::wstring, std::string> sizes = {{L"alpha.txt", "5"}, {L"beta.txt", "1"}, {L"gamma.txt", "3"}};
    for (const std::wstring& name : listed) {
        rows += Row(std::string(name.begin(), name.end()), sizes.at(name));
    }
    EXPECT_EQ(page, "<html><title>Varnokle - result</title>\r\r\n<body><table border=\"1\">"
                    "<tr bgcolor=\"#0000ff\"><td width=\"40%\"><font color=\"white\">Name</font></td>"
                    "<td width=\"40%\"><font color=\"white\">Path</font></td>"
                    "<td width=\"20%\"><font color=\"white\">Size</font></td></tr>" +
                        rows + "\r\r\n</table></body></html>");
}

} // namespace
} // namespace vk

namespace vk {
namespace {

// The two UTF-8 formats chosen by their filters in the real save dialog: the CSV file holds the
// rows shown with each hit's time, the Unicode text file the store's paths, and the next save
// offers the filter chosen last.
TEST_F(SaveResultTest, CsvAndUnicodeTextChosenInTheSaveDialog) {
    const std::int64_t noon = *FileTimeFromLocal({2026, 12, 9, 12, 30, 5});
    AddRow(L"a,\"b\"\nc.txt", L"7", L"\\\\SRV\\x,y", noon);
    AddRow(L"\u0416\u4e2d\u00e9.txt", L"", L"\\\\SRV\\share");
    std::vector<CsvRow> rows;
    for (int row = 0; row < List().ItemCount(); ++row) {
        const auto index = static_cast<std::size_t>(List().RowData(row));
        rows.push_back(
            {List().ItemText(row, 0), List().ItemText(row, 1), *Store().Modified(index), List().ItemText(row, 2)});
    }
    EXPECT_EQ(rows[3].modified, noon);
    {
        SaveAsTyper dialog(Out("r"), kCsvFilterIndex); // the filter's extension comes with it
        Command(ID_FILE_SAVE_RESULT);
        dialog.Join();
        ASSERT_TRUE(dialog.found);
    }
    EXPECT_EQ(tree_.ReadFile("out/r.csv"), CsvExport(rows));
    {
        SaveAsTyper dialog(Out("u.txt"), kUnicodeTextFilterIndex);
        Command(ID_FILE_SAVE_RESULT);
        dialog.Join();
        ASSERT_TRUE(dialog.found);
        EXPECT_EQ(dialog.filterShown, L"CSV (UTF-8) (*.csv)");
    }
    const std::string unicode = UnicodeTextExport(Store().Copy().resultPaths);
    EXPECT_EQ(tree_.ReadFile("out/u.txt"), unicode);
    EXPECT_NE(unicode.find("\\\\SRV\\share\\\xD0\x96\xE4\xB8\xAD\xC3\xA9.txt\r\n"), std::string::npos);
    {
        SaveAsTyper dialog(Out("again"));
        Command(ID_FILE_SAVE_RESULT);
        dialog.Join();
        ASSERT_TRUE(dialog.found);
        EXPECT_EQ(dialog.filterShown, L"Unicode text (*.txt)");
    }
    EXPECT_EQ(tree_.ReadFile("out/again.txt"), unicode);
}

} // namespace
} // namespace vk
