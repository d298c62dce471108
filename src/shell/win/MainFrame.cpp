#include "shell/win/MainFrame.h"

#include "decor/win/MenuImages.h"
#include "document/ProgramStatusBar.h"
#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "forms/FormTexts.h"
#include "forms/Settings.h"
#include "forms/win/OptionsDlg.h"
#include "framework/LocaleFormats.h"
#include "framework/MessageBoxes.h"
#include "framework/Module.h"
#include "framework/SystemColours.h"
#include "framework/WindowIds.h"
#include "network/win/UpView.h"
#include "platform/DebugTrace.h"
#include "resource.h"
#include "results/win/ResultClipboard.h"
#include "results/win/SaveResult.h"
#include "results/win/Varnokle2View.h"
#include "shell/CommandPrompt.h"
#include "shell/ShellTexts.h"
#include "shell/win/AboutBox.h"
#include "shell/win/ProgramIcon.h"
#include "shell/win/RightFrameWnd.h"
#include "shell/win/ShellCommands.h"
#include "shell/win/SubTray2.h"
#include "shell/win/TipOfTheDayDlg.h"
#include "shell/win/TrayIcon.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vk {
namespace {

constexpr int kLeftColumn = 0;
constexpr int kResultColumn = 1;
// The left column's share of the client width until the first sizing puts it at the form's width.
constexpr double kInitialLeftShare = 0.4;

bool Shown(const ui::Window& window) {
    return window.Exists() && IsWindowVisible(window.Handle());
}

} // namespace

CMainFrame::CMainFrame(CVarnokle2Doc& document, Setup setup)
    : document_(document), setup_(std::move(setup)),
      systemShell_(setup_.shell ? nullptr : std::make_unique<SystemFrameShell>()),
      shell_(setup_.shell ? *setup_.shell : *systemShell_) {
    // Without its images the menus still work; their items then show no icons.
    if (!LoadMenuImages()) {
        DebugTrace(L"the menu images could not be loaded");
    }
}

CMainFrame::~CMainFrame() {
    // The engine's threads use the panes and the status bar: they end before any of them goes.
    document_.StopSearchAndWait();
    if (theStatusBar == &statusBar_) {
        theStatusBar = nullptr;
    }
    // The window and its panes go while their objects still see their messages.
    Destroy();
}

std::span<const ui::CommandEntry<CMainFrame>> CMainFrame::Commands() {
    using F = CMainFrame;
    // clang-format off
    static constexpr ui::CommandEntry<CMainFrame> kCommands[] = {
        {ID_APP_EXIT, &F::Exit},
        {ID_FILE_SAVE_RESULT, &F::SaveResult},
        {ID_EDIT_COPY_FILES, &F::CopyFiles, &F::HasSelection},
        {ID_EDIT_COPY_PATH, &F::CopyPath, &F::HasSelection},
        {ID_EDIT_SELECT_ALL, &F::SelectAll, &F::HasRows},
        {ID_EDIT_INVERT_SELECTION, &F::InvertSelection, &F::HasRows},
        {ID_EDIT_DELETE_ITEMS, &F::ToResultView, &F::HasSelection},
        {ID_ARRANGE_BY_NAME, &F::ToResultView},
        {ID_ARRANGE_BY_SIZE, &F::ToResultView},
        {ID_ARRANGE_BY_FOLDER, &F::ToResultView},
        {ID_ARRANGE_BY_MODIFIED, &F::ToResultView},
        {ID_OPEN, &F::ToResultView},
        {ID_PROPERTIES, &F::ToResultView},
        {ID_OPEN_CONTAINING_FOLDER, &F::ToResultView},
        {ID_VIEW_TOOLBAR, &F::ToggleToolBar, nullptr, &F::ToolBarShown},
        {ID_VIEW_STATUS_BAR, &F::ToggleStatusBar, nullptr, &F::StatusBarShown},
        {ID_NEXT_PANE, &F::NextPane},
        {ID_PREV_PANE, &F::NextPane},
        {ID_TOOLS_MAP_NETWORK_DRIVE, &F::MapNetworkDrive},
        {ID_TOOLS_ADD_SERVER, &F::ToTreeView},
        {ID_HELP_CONTENTS, &F::Help},
        {ID_HELP_ONLINE, &F::Online},
        {ID_HELP_EMAIL, &F::EMail},
        {ID_APP_ABOUT, &F::About},
        {ID_VIEW_OPTIONS, &F::Options},
        {ID_HELP_TIP_OF_THE_DAY, &F::TipOfTheDay},
        {ID_TRAY_SHOW, &F::Show},
    };
    // clang-format on
    return kCommands;
}

ui::CommandState CMainFrame::StateOf(UINT command) const {
    return ui::StateOfCommand(*this, Commands(), command);
}

CSplitterView* CMainFrame::LeftSide() const {
    return leftColumn_ ? &leftColumn_->View() : nullptr;
}

bool CMainFrame::CreateFrame() {
    accelerators_ = LoadAcceleratorsW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!accelerators_) {
        return false;
    }
    const std::wstring title = ui::LoadText(IDS_APP_TITLE);
    if (!Create(L"VarnokleMainFrame", title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr)) {
        return false;
    }
    Send(WM_SETICON, ICON_BIG,
         reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))));
    Send(WM_SETICON, ICON_SMALL,
         reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))));
    return true;
}

bool CMainFrame::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CMainFrame> kMessages[] = {
        ui::On(WM_CREATE, &CMainFrame::OnCreate),
        ui::On(WM_SIZE, &CMainFrame::OnSize),
        ui::On(WM_ACTIVATE, &CMainFrame::OnActivate),
        ui::On(WM_SETFOCUS, &CMainFrame::OnSetFocus),
        ui::On(WM_CLOSE, &CMainFrame::OnClose),
        ui::On(WM_DESTROY, &CMainFrame::OnDestroy),
        ui::On(WM_QUERYENDSESSION, &CMainFrame::OnQueryEndSession),
        ui::On(WM_ENDSESSION, &CMainFrame::OnEndSession),
        ui::On(WM_COMMAND, &CMainFrame::OnCommand),
        ui::On(WM_INITMENUPOPUP, &CMainFrame::OnInitMenuPopup),
        ui::On(WM_MEASUREITEM, &CMainFrame::OnIconMenuMessage),
        ui::On(WM_DRAWITEM, &CMainFrame::OnIconMenuMessage),
        ui::On(WM_MENUCHAR, &CMainFrame::OnIconMenuMessage),
        ui::On(WM_MENUSELECT, &CMainFrame::OnMenuSelect),
        ui::On(WM_SYSCOLORCHANGE, &CMainFrame::OnSysColorChange),
        ui::On(WM_SETTINGCHANGE, &CMainFrame::OnSettingChange),
        ui::OnNotify(TTN_GETDISPINFOW, ui::kAnyId, &CMainFrame::OnToolTipText),
        ui::OnNotify(TBN_HOTITEMCHANGE, ui::kToolBarId, &CMainFrame::OnHotItemChange),
    };
    // clang-format on
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::Window::ProcessMessage(m);
}

bool CMainFrame::OnCreate(ui::Message& m) {
    m.result = -1; // until every part stands
    if (!menu_.Load(IDR_MAINFRAME, Handle())) {
        return true;
    }
    CIconMenu::Register(theMenuIconTable); // once a process: records already there are skipped
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!CreateClient(client.right)) {
        return true;
    }
    if (!toolBar_.CreateBar(Handle(), ui::kToolBarId) || !toolBar_.LoadToolBar(IDR_MAINFRAME) ||
        !dockBar_.CreateFor(Handle(), toolBar_, [this] { RecalcLayout(); })) {
        return true;
    }
    if (!statusBar_.CreateFor(Handle())) {
        return true;
    }
    statusBar_.SetPaneText(kPaneItemCount, kTextZeroItems);
    ShowIdleText();
    theStatusBar = &statusBar_;  // where the engine's texts go from now on
    ui::SetMainWindow(Handle()); // the owner of message boxes when no window of ours is active
    AddTrayIcon();
    RecalcLayout();
    m.result = 0;
    return true;
}

void CMainFrame::AddTrayIcon() {
    // The icon is a convenience: the frame stands without it when the system will not show it.
    if (theSettings.ShowIconInTray == 1 && !AddProgramTrayIcon(Handle(), theSettings.MinimizeToTray == 1)) {
        DebugTrace(L"the system did not take the tray icon");
    }
}

void CMainFrame::RebuildTrayIcon() {
    SubTray2Remove(Handle());
    AddTrayIcon();
}

// The main splitter: the left side in column 0, the result list in column 1.
bool CMainFrame::CreateClient(int clientWidth) {
    if (!splitter_.CreateStatic(Handle(), 1, 2)) {
        return false;
    }
    LeftSideSetup left;
    left.document = &document_;
    left.makeForm = setup_.makeForm;
    left.advancedForm = setup_.advancedForm;
    left.swapForm = [this](const std::function<bool()>& swap) { return SwapForm(swap); };
    auto leftColumn = std::make_unique<CRightFrameWnd>(std::move(left));
    const int leftWidth = static_cast<int>(std::trunc(kInitialLeftShare * clientWidth));
    if (!leftColumn->CreateIn(splitter_.Handle(), leftWidth) || !leftColumn->View().Exists()) {
        return false;
    }
    CRightFrameWnd* leftPane = leftColumn.get();
    if (!splitter_.AddPane(0, kLeftColumn, std::move(leftColumn), {leftWidth, 0})) {
        return false;
    }
    auto results = std::make_unique<CVarnokle2View>(document_, setup_.resultShell);
    CVarnokle2View* resultPane = results.get();
    if (!splitter_.CreateView(0, kResultColumn, std::move(results), {0, 0})) {
        return false;
    }
    leftColumn_ = leftPane;
    resultView_ = resultPane;
    splitterReady_ = true;
    return true;
}

bool CMainFrame::SwapForm(const std::function<bool()>& swap) {
    // Nothing of the panes is drawn while one form goes and the other comes and is sized; the
    // window itself stays as it is (no minimize, no change of activation).
    splitter_.Send(WM_SETREDRAW, FALSE);
    const bool swapped = swap();
    splitter_.Send(WM_SETREDRAW, TRUE);
    if (swapped) {
        RecalcLayout();
    }
    RepaintWhole(splitter_.Handle());
    return swapped;
}

void CMainFrame::InitialUpdate() {
    // The result list first: the engine lists into it from the tree's first double-click on.
    if (resultView_) {
        resultView_->OnInitialUpdate();
    }
    if (CSplitterView* left = LeftSide()) {
        left->InitialUpdate();
    }
    RecalcLayout();
}

void CMainFrame::OnIdle() {
    if (toolBar_.Exists()) {
        ui::UpdateToolBarButtons(toolBar_, [this](UINT id) { return StateOf(id); });
    }
}

bool CMainFrame::OnSize(ui::Message& m) {
    if (m.wParam != SIZE_MINIMIZED) {
        RecalcLayout();
    }
    return true;
}

void CMainFrame::RecalcLayout() {
    if (!Exists()) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    PixelRect area{0, 0, client.right, client.bottom};
    if (Shown(statusBar_)) {
        area.bottom = std::max(static_cast<int>(client.bottom) - statusBar_.Resize(client.right), 0);
    }
    // The toolbar takes its side of what the status bar leaves; the panes get the rest.
    const PixelRect rest = dockBar_.LayOut(area);
    if (!splitter_.Exists()) {
        return;
    }
    if (splitterReady_) {
        // The columns before the move, so that the splitter lays its panes out once.
        const auto columns = MainColumns(rest.Width(), theFormSize, SystemFrameMetrics());
        splitter_.SetColumnInfo(kLeftColumn, columns[0].ideal, columns[0].minimum);
        splitter_.SetColumnInfo(kResultColumn, columns[1].ideal, columns[1].minimum);
    }
    RECT now{};
    GetWindowRect(splitter_.Handle(), &now);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != rest.left || now.top != rest.top || now.right != rest.right || now.bottom != rest.bottom) {
        // A toolbar shown, hidden or docked elsewhere moves the panes: they paint afresh, whether
        // or not their own size changes.
        SetWindowPos(splitter_.Handle(), nullptr, rest.left, rest.top, rest.Width(), rest.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        RepaintWhole(splitter_.Handle());
    }
    splitter_.RecalcLayout();
}

bool CMainFrame::OnActivate(ui::Message& m) {
    if (LOWORD(m.wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(Handle(), focus) ? focus : nullptr;
    }
    return false; // the default activation gives the frame the focus, which OnSetFocus passes on
}

bool CMainFrame::OnSetFocus(ui::Message&) {
    // Back to where the keyboard was when the frame was left; at first, to the result list, the
    // frame's active view.
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsChild(Handle(), lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (resultView_ && resultView_->Exists()) {
        SetFocus(resultView_->Handle());
    }
    return true;
}

bool CMainFrame::OnClose(ui::Message&) {
    // A close that arrives while the first one waits (the close box pressed twice, the tray's
    // Exit meanwhile) has nothing more to do.
    if (closing_) {
        return true;
    }
    closing_ = true;
    // A running search uses the result list, the tree, the form's buttons and the status bar from
    // its threads: it ends, with the messages they send handled meanwhile, before any of them goes.
    document_.StopSearchAndWait();
    SubTray2Remove(Handle());
    Destroy();
    return true;
}

bool CMainFrame::OnDestroy(ui::Message&) {
    if (ui::MainWindow() == Handle()) {
        ui::SetMainWindow(nullptr);
    }
    if (endsProgram_) {
        PostQuitMessage(0);
    }
    return false;
}

// Log-off or shutdown: Windows may end the process once WM_ENDSESSION has been answered, without a
// WM_DESTROY, so the settings and the histories are written at the question already, and at the
// end the search is stopped as well. The session may end: the answer is yes.
bool CMainFrame::OnQueryEndSession(ui::Message& m) {
    SaveState();
    m.result = TRUE;
    return true;
}

bool CMainFrame::OnEndSession(ui::Message& m) {
    if (m.wParam) {
        document_.StopSearchAndWait();
        SaveState();
    }
    m.result = 0;
    return true;
}

void CMainFrame::SaveState() {
    if (!theSettings.Save(AppProfile())) {
        DebugTrace(kTextSettingsNotSaved);
    }
    // The form writes its histories (vk.set) when told the session ends.
    if (const CSplitterView* left = LeftSide()) {
        if (ui::FormView* form = left->Form(); form && form->Exists()) {
            form->Send(WM_ENDSESSION, TRUE, 0);
        }
    }
}

bool CMainFrame::OnCommand(ui::Message& m) {
    // A dismissed tray menu posts command 0: nothing was chosen.
    if (m.CommandId() == 0 && m.lParam == 0) {
        return true;
    }
    // Commands without a handler, or disabled now, do nothing.
    return ui::RunCommand(*this, Commands(), m.CommandId());
}

bool CMainFrame::OnInitMenuPopup(ui::Message& m) {
    const bool systemMenu = HIWORD(m.lParam) != 0;
    if (!systemMenu) {
        ui::UpdateMenuItems(reinterpret_cast<HMENU>(m.wParam), [this](UINT id) { return StateOf(id); });
    }
    // Then the items are made owner-drawn (not those of the system menu).
    if (!menu_.HandleMenuMessage(m)) {
        m.result = 0;
    }
    return true;
}

// Menu items are the CIconMenu's to measure and draw, and their letters its to find; other
// controls' items and the system's menus get the default.
bool CMainFrame::OnIconMenuMessage(ui::Message& m) {
    return menu_.HandleMenuMessage(m);
}

bool CMainFrame::OnMenuSelect(ui::Message& m) {
    const UINT item = LOWORD(m.wParam);
    const UINT flags = HIWORD(m.wParam);
    if (flags == 0xFFFF && m.lParam == 0) {
        ShowIdleText(); // the menu has closed
    } else if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) {
        statusBar_.SetPaneText(kPaneMessage, L"");
    } else {
        ShowPrompt(item);
    }
    m.result = 0;
    return true;
}

bool CMainFrame::OnSysColorChange(ui::Message&) {
    // The bars, the lists and the tree repaint in the new colours only when they are told.
    ui::ForwardSysColorChange(Handle());
    return false;
}

bool CMainFrame::OnSettingChange(ui::Message& m) {
    // High contrast turned on or off: the panes choose their text colours again.
    if (m.wParam == SPI_SETHIGHCONTRAST) {
        ui::ForwardSysColorChange(Handle());
    }
    // The regional settings changed: dates and times are shown in their new formats.
    if (m.lParam != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(m.lParam)) == L"intl") {
        ui::RereadLocaleFormats();
    }
    return false;
}

bool CMainFrame::OnToolTipText(ui::Message& m) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(m.lParam);
    if (info->uFlags & TTF_IDISHWND) {
        return false;
    }
    toolTip_ = TooltipOf(ui::LoadText(static_cast<UINT>(info->hdr.idFrom)));
    info->hinst = nullptr;
    info->lpszText = toolTip_.data();
    m.result = 0;
    return true;
}

bool CMainFrame::OnHotItemChange(ui::Message& m) {
    const auto* info = reinterpret_cast<const NMTBHOTITEM*>(m.lParam);
    if ((info->dwFlags & HICF_LEAVING) != 0 || info->idNew == 0) {
        ShowIdleText();
    } else {
        ShowPrompt(static_cast<UINT>(info->idNew));
    }
    m.result = 0; // the hot item may change
    return true;
}

void CMainFrame::ShowPrompt(UINT command) {
    if (statusBar_.Exists()) {
        statusBar_.SetPaneText(kPaneMessage, PromptOf(ui::LoadText(command)));
    }
}

void CMainFrame::ShowIdleText() {
    if (statusBar_.Exists()) {
        statusBar_.SetPaneText(kPaneMessage, ui::LoadText(IDS_IDLE_MESSAGE));
    }
}

void CMainFrame::Exit(UINT) {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void CMainFrame::ToResultView(UINT command) {
    if (resultView_ && resultView_->Exists()) {
        resultView_->Send(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
}

void CMainFrame::ToTreeView(UINT command) {
    if (CSplitterView* left = LeftSide()) {
        if (CUpView* tree = left->Tree(); tree && tree->Exists()) {
            tree->Send(WM_COMMAND, MAKEWPARAM(command, 0), 0);
        }
    }
}

bool CMainFrame::HasRows() const {
    return resultView_ && resultView_->Exists() && resultView_->CanDeleteItems();
}

bool CMainFrame::HasSelection() const {
    return resultView_ && resultView_->Exists() && resultView_->List().FirstSelectedRow() >= 0;
}

void CMainFrame::ReportClipboardFailure(bool copied) const {
    if (!copied && HasSelection()) {
        ui::ShowMessageBox(kTextClipboardFailed, kProgramName, MB_OK | MB_ICONEXCLAMATION);
    }
}

// The commands on the results act on the program's result list (theResultList), whichever pane
// has the focus.
void CMainFrame::SaveResult(UINT) {
    if (CResultListCtrl* list = theResultList; list && list->Exists()) {
        vk::SaveResult(*list, document_.Engine().Results(), Handle(), saveResultFilter_);
    }
}

void CMainFrame::CopyFiles(UINT) {
    if (CResultListCtrl* list = theResultList) {
        ReportClipboardFailure(
            CopySelectedFiles(*list, document_.Engine().Results(), document_.Environment(), Handle()));
    }
}

void CMainFrame::CopyPath(UINT) {
    if (CResultListCtrl* list = theResultList) {
        ReportClipboardFailure(CopySelectedPath(*list, Handle()));
    }
}

void CMainFrame::SelectAll(UINT) {
    if (CResultListCtrl* list = theResultList) {
        list->SelectAll();
    }
}

void CMainFrame::InvertSelection(UINT) {
    if (CResultListCtrl* list = theResultList) {
        list->InvertSelection();
    }
}

bool CMainFrame::ToolBarShown() const {
    return dockBar_.Exists() && dockBar_.Shown();
}

bool CMainFrame::StatusBarShown() const {
    return Shown(statusBar_);
}

void CMainFrame::ToggleToolBar(UINT) {
    dockBar_.Show(!ToolBarShown()); // the frame is laid out again
}

void CMainFrame::ToggleStatusBar(UINT) {
    ShowWindow(statusBar_.Handle(), StatusBarShown() ? SW_HIDE : SW_SHOWNA);
    RecalcLayout();
}

std::vector<HWND> CMainFrame::FocusPanes() const {
    std::vector<HWND> panes;
    const auto add = [&](const ui::Window* pane) {
        if (!pane || !pane->Exists() || !IsWindowVisible(pane->Handle())) {
            return;
        }
        RECT rect{};
        GetWindowRect(pane->Handle(), &rect);
        if (rect.right > rect.left && rect.bottom > rect.top) {
            panes.push_back(pane->Handle());
        }
    };
    if (const CSplitterView* left = LeftSide()) {
        add(left->Splitter().Pane(0, 0));
        add(left->Splitter().Pane(1, 0));
    }
    add(resultView_);
    return panes;
}

void CMainFrame::NextPane(UINT command) {
    const std::vector<HWND> panes = FocusPanes();
    if (panes.empty()) {
        return;
    }
    const HWND focus = GetFocus();
    const auto holding =
        std::find_if(panes.begin(), panes.end(), [focus](HWND pane) { return pane == focus || IsChild(pane, focus); });
    // Without the focus in a pane, the result list counts as the pane that has it.
    const auto count = static_cast<std::ptrdiff_t>(panes.size());
    std::ptrdiff_t current = holding != panes.end() ? holding - panes.begin() : count - 1;
    current = (current + (command == ID_PREV_PANE ? count - 1 : 1)) % count;
    SetFocus(panes[static_cast<std::size_t>(current)]);
}

void CMainFrame::MapNetworkDrive(UINT) {
    vk::MapNetworkDrive(Handle(), shell_);
}

void CMainFrame::Help(UINT) {
    OpenHelp(Handle(), shell_);
}

void CMainFrame::Online(UINT) {
    OpenWebSite(Handle(), shell_);
}

void CMainFrame::EMail(UINT) {
    SendSupportMail(Handle(), shell_);
}

void CMainFrame::About(UINT) {
    CAboutBox about;
    about.DoModal(Handle());
}

void CMainFrame::Options(UINT) {
    COptionsDlg dialog(theSettings, AppProfile());
    if (dialog.DoModal(Handle()) != IDOK) {
        return;
    }
    const bool saved = theSettings.Save(AppProfile());
    if (!saved || !dialog.TipChoiceSaved()) {
        statusBar_.SetPaneText(kPaneMessage, kTextSettingsNotSaved);
    }
    RebuildTrayIcon();
}

void CMainFrame::TipOfTheDay(UINT) {
    ShowTipOfTheDay(Handle());
}

void CMainFrame::Show(UINT) {
    // Also brings back a frame that the tray icon has hidden.
    ShowWindow(Handle(), SW_RESTORE);
}

} // namespace vk
