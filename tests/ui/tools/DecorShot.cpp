// Shows the decoration for a picture: a window with the main window's menus (their real command
// ids and texts) drawn by a CIconMenu with one drop-down open, or a dialog of standard controls
// with the flat look, one focused and one under the pointer. scripts/screenshot-decor.sh takes
// the pictures.
//
//   vk_decor_shot menu MENU-POSITION HOT-ITEMS READY-FILE STOP-FILE
//   vk_decor_shot dialog READY-FILE STOP-FILE
//   vk_decor_shot save READY-FILE STOP-FILE        (the system's "Save As" dialog)
//
// MENU-POSITION is the drop-down to open (0 File, 1 Edit, 2 View, 3 Tools, 4 Help), HOT-ITEMS how
// many times Down is pressed in it (0: no hot item), and with a negative count the last item
// opens its sub-menu. READY-FILE is written once the picture is ready; the program ends when
// STOP-FILE appears (or after a minute).

#include "decor/win/FlatLook.h"
#include "decor/win/IconMenu.h"
#include "decor/win/MenuImages.h"
#include "framework/Controls.h"
#include "framework/MessageLoop.h"
#include "framework/Window.h"
#include "resource.h"
#include "ui/support/DialogTemplate.h"
#include "ui/support/ThemeLook.h"
#include "ui/tools/ShotSteps.h"

#include <commdlg.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vk {
namespace {

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteReady(const std::wstring& path) {
    std::ofstream(std::filesystem::path(path)) << "ready\n";
}

// The main window's menu bar, with the states an empty result list gives the Edit menu.
HMENU MainMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, ID_FILE_SAVE_RESULT, L"Save result      \tCtrl+S");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, ID_APP_EXIT, L"E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuW(edit, MF_STRING | MF_GRAYED, ID_EDIT_COPY_FILES, L"&Copy Files            \tCtrl+C");
    AppendMenuW(edit, MF_STRING | MF_GRAYED, ID_EDIT_COPY_PATH, L"Copy Path");
    AppendMenuW(edit, MF_STRING, ID_EDIT_SELECT_ALL, L"Select All  \tCtrl+A");
    AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(edit, MF_STRING | MF_GRAYED, ID_EDIT_DELETE_ITEMS, L"Delete Items \tDel");
    AppendMenuW(edit, MF_STRING, ID_EDIT_INVERT_SELECTION, L"Invert Selection");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING | MF_CHECKED, ID_VIEW_TOOLBAR, L"&Toolbar");
    AppendMenuW(view, MF_STRING | MF_CHECKED, ID_VIEW_STATUS_BAR, L"&Status Bar");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, ID_VIEW_OPTIONS, L"&Options");
    HMENU arrange = CreatePopupMenu();
    AppendMenuW(arrange, MF_STRING, ID_ARRANGE_BY_NAME, L"by Name");
    AppendMenuW(arrange, MF_STRING, ID_ARRANGE_BY_SIZE, L"by Size");
    AppendMenuW(arrange, MF_STRING, ID_ARRANGE_BY_FOLDER, L"by Folder");
    AppendMenuW(view, MF_POPUP, reinterpret_cast<UINT_PTR>(arrange), L"Arrange Icons");
    HMENU tools = CreatePopupMenu();
    AppendMenuW(tools, MF_STRING, ID_TOOLS_MAP_NETWORK_DRIVE, L"&Map Network Drive...");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, ID_HELP_ONLINE, L"&Varnokle Online");
    AppendMenuW(help, MF_STRING, ID_HELP_EMAIL, L"E-Mail");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, ID_HELP_TIP_OF_THE_DAY, L"&Tip of the Day...");
    AppendMenuW(help, MF_STRING, ID_HELP_CONTENTS, L"Help");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, ID_APP_ABOUT, L"&About Varnokle...");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"Tools");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

// A window with the menu bar that hands its menu messages to a CIconMenu, as the main frame
// does, opens one drop-down and walks it with keys while the menu is idle.
class MenuShot final : public ui::Window {
public:
    MenuShot(int position, int hotItems, std::wstring ready, std::wstring stop)
        : position_(position), hotItems_(hotItems), ready_(std::move(ready)), stop_(std::move(stop)) {}

    bool Open() {
        if (!Create(L"VarnokleDecorShot", L"Varnokle", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 640, 420, nullptr,
                    nullptr)) {
            return false;
        }
        SetMenu(Handle(), MainMenu());
        DrawMenuBar(Handle());
        SetTimer(Handle(), 1, 50, nullptr);
        return true;
    }

    void OpenDropDown() {
        HMENU popup = GetSubMenu(GetMenu(Handle()), position_);
        RECT item{};
        GetMenuItemRect(Handle(), GetMenu(Handle()), static_cast<UINT>(position_), &item);
        keys_.assign(static_cast<std::size_t>(std::abs(hotItems_)), VK_DOWN);
        if (hotItems_ < 0) {
            keys_ = {VK_UP, VK_RIGHT};
        }
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, item.left, item.bottom, 0, Handle(), nullptr);
    }

    CIconMenu iconMenu;

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (iconMenu.HandleMenuMessage(m)) {
            return true;
        }
        if (m.message == WM_ENTERIDLE && m.wParam == MSGF_MENU) {
            if (next_ < keys_.size()) {
                PostMessageW(Handle(), WM_KEYDOWN, keys_[next_++], 0);
            } else if (!readyWritten_) {
                readyWritten_ = true;
                WriteReady(ready_);
            }
            return true;
        }
        if (m.message == WM_TIMER) {
            if (FileExists(stop_)) {
                EndMenu();
                PostQuitMessage(0);
            }
            return true;
        }
        return Window::ProcessMessage(m);
    }

private:
    int position_;
    int hotItems_;
    std::wstring ready_;
    std::wstring stop_;
    std::vector<UINT> keys_;
    std::size_t next_ = 0;
    bool readyWritten_ = false;
};

int ShowMenu(int position, int hotItems, const std::wstring& ready, const std::wstring& stop) {
    if (!LoadMenuImages()) {
        std::fwprintf(stderr, L"vk_decor_shot: cannot load the menu icons\n");
        return 1;
    }
    CIconMenu::Register(theMenuIconTable);
    MenuShot shot(position, hotItems, ready, stop);
    if (!shot.Open()) {
        return 1;
    }
    ui::PumpWaitingMessages();
    shot.OpenDropDown();
    ui::PumpUntil([&] { return FileExists(stop); }, std::chrono::seconds(60));
    return 0;
}

enum : WORD { kMask = 201, kShare, kText, kSize, kSpin, kAtLeast, kAtMost, kSubfolders, kList, kResults, kLevel };

testing::DialogTemplate ShotTemplate() {
    testing::DialogTemplate t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 200, L"Flat look");
    t.Add(L"Static", L"Files:", 0xFFFF, 0, 0, 8, 10, 60, 10);
    t.Add(L"ComboBox", L"", kMask, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 70, 8, 150, 80);
    t.Add(L"Static", L"Shares:", 0xFFFF, 0, 0, 8, 28, 60, 10);
    t.Add(L"ComboBox", L"", kShare, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 70, 26, 150, 80);
    t.Add(L"Static", L"Text:", 0xFFFF, 0, 0, 8, 46, 60, 10);
    t.Add(L"Edit", L"report", kText, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 70, 44, 150, 14);
    t.Add(L"Button", L"Size", 0xFFFF, BS_GROUPBOX, 0, 8, 64, 212, 40);
    t.Add(L"Button", L"At least", kAtLeast, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 16, 76, 60, 10);
    t.Add(L"Button", L"At most", kAtMost, BS_AUTORADIOBUTTON, 0, 16, 88, 60, 10);
    t.Add(L"Edit", L"100", kSize, ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, 90, 80, 50, 14);
    t.Add(UPDOWN_CLASSW, L"", kSpin, UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 10, 14);
    t.Add(L"Button", L"Search sub-folders", kSubfolders, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 150, 82, 80, 10);
    t.Add(L"ListBox", L"", kList, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 110, 100, 60);
    t.Add(L"SysListView32", L"", kResults, LVS_REPORT | WS_TABSTOP, WS_EX_CLIENTEDGE, 116, 110, 176, 60);
    t.Add(L"msctls_trackbar32", L"", kLevel, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, 228, 8, 64, 20);
    t.Add(L"Button", L"Start", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 186, 178, 50, 14);
    t.Add(L"Button", L"Stop", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0, 242, 178, 50, 14);
    t.Add(L"Button", L"Options", 102, BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 178, 50, 14);
    return t;
}

struct DialogShotState {
    std::wstring ready;
    std::wstring stop;
};

INT_PTR CALLBACK DialogShotProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogShotState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        for (const wchar_t* mask : {L"*.doc", L"*.txt;*.log", L"*.mp3"}) {
            SendDlgItemMessageW(dialog, kMask, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mask));
        }
        SetDlgItemTextW(dialog, kMask, L"*.doc");
        SendDlgItemMessageW(dialog, kShare, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"*"));
        SendDlgItemMessageW(dialog, kShare, CB_SETCURSEL, 0, 0);
        for (int i = 1; i <= 12; ++i) {
            const std::wstring line = L"Line " + std::to_wstring(i);
            SendDlgItemMessageW(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        HWND list = GetDlgItem(dialog, kResults);
        const wchar_t* titles[] = {L"Name", L"Size", L"Path"};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 90;
            column.pszText = const_cast<wchar_t*>(titles[i]);
            SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        }
        CheckDlgButton(dialog, kAtLeast, BST_CHECKED);
        CheckDlgButton(dialog, kSubfolders, BST_CHECKED);
        SetTimer(dialog, 1, 50, nullptr);
        SetFocus(GetDlgItem(dialog, kText));
        // The pointer rests on the file list.
        RECT rect{};
        GetWindowRect(GetDlgItem(dialog, kList), &rect);
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return FALSE;
    }
    case WM_TIMER:
        if (state && !state->ready.empty() && theFlatLook.Hovered() != nullptr) {
            WriteReady(state->ready);
            state->ready.clear();
        }
        if (state && FileExists(state->stop)) {
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

int ShowDialog(const std::wstring& ready, const std::wstring& stop) {
    const testing::ThemeLook classic; // the flat look is for controls drawn the classic way
    theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs);
    const testing::DialogTemplate dialog = ShotTemplate();
    DialogShotState state{ready, stop};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, DialogShotProcedure,
                            reinterpret_cast<LPARAM>(&state));
    theFlatLook.EndOfProgram();
    return 0;
}

// The system's file dialog, found by its title while it runs.
DialogShotState* saveShot = nullptr;

void CALLBACK WatchSaveDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Save As");
    if (!dialog || !saveShot) {
        return;
    }
    if (!saveShot->ready.empty()) {
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WriteReady(saveShot->ready);
        saveShot->ready.clear();
    }
    if (FileExists(saveShot->stop)) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

int ShowSaveDialog(const std::wstring& ready, const std::wstring& stop) {
    const testing::ThemeLook classic; // the flat look is for controls drawn the classic way
    theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs);
    DialogShotState state{ready, stop};
    saveShot = &state;
    wchar_t name[MAX_PATH] = L"results.html";
    OPENFILENAMEW save{};
    save.lStructSize = sizeof save;
    save.lpstrFilter = L"HTML page (*.html)\0*.html\0Text file (*.txt)\0*.txt\0";
    save.lpstrFile = name;
    save.nMaxFile = MAX_PATH;
    save.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, WatchSaveDialog);
    GetSaveFileNameW(&save);
    KillTimer(nullptr, timer);
    saveShot = nullptr;
    theFlatLook.EndOfProgram();
    return 0;
}

int Run(const std::vector<std::wstring>& args) {
    ui::InitCommonControlClasses();
    if (args.size() == 6 && args[1] == L"menu") {
        return ShowMenu(_wtoi(args[2].c_str()), _wtoi(args[3].c_str()), args[4], args[5]);
    }
    if (args.size() == 4 && args[1] == L"dialog") {
        return ShowDialog(args[2], args[3]);
    }
    if (args.size() == 4 && args[1] == L"save") {
        return ShowSaveDialog(args[2], args[3]);
    }
    std::fwprintf(stderr, L"usage: vk_decor_shot menu MENU-POSITION HOT-ITEMS READY-FILE STOP-FILE\n"
                          L"       vk_decor_shot dialog READY-FILE STOP-FILE\n"
                          L"       vk_decor_shot save READY-FILE STOP-FILE\n");
    return 2;
}

} // namespace
} // namespace vk

int main() {
    return vk::Run(vk::CommandLineArguments());
}
