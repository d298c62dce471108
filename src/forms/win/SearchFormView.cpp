#include "forms/win/SearchFormView.h"

#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "forms/FormTexts.h"
#include "forms/Settings.h"
#include "forms/win/SearchButtons.h"
#include "framework/MessageBoxes.h"
#include "platform/DebugTrace.h"
#include "platform/Profile.h"
#include "platform/UserFiles.h"

namespace vk {

CSearchFormView::CSearchFormView(UINT templateId, bool advanced, CSearchEngine& engine, SearchButtons& buttons)
    : ui::FormView(templateId), advanced_(advanced), engine_(engine), buttons_(buttons) {}

bool CSearchFormView::ProcessMessage(ui::Message& m) {
    static constexpr ui::MessageEntry<CSearchFormView> kMessages[] = {
        ui::On(WM_INITDIALOG, &CSearchFormView::OnInitDialog),
        ui::On(WM_DESTROY, &CSearchFormView::OnDestroy),
        ui::On(WM_ENDSESSION, &CSearchFormView::OnEndSession),
        ui::OnControl(BN_CLICKED, IDOK, &CSearchFormView::OnEnter),
        ui::OnControl(BN_CLICKED, ui::kAnyId, &CSearchFormView::OnStartClicked),
        ui::OnControl(BN_CLICKED, ui::kAnyId, &CSearchFormView::OnStopClicked),
        ui::OnControl(BN_CLICKED, ui::kAnyId, &CSearchFormView::OnModeClicked),
    };
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::FormView::ProcessMessage(m);
}

bool CSearchFormView::OnInitDialog(ui::Message& m) {
    // The form is created at its template's size: that is the size it is laid out at.
    RECT window{};
    GetWindowRect(hwnd_, &window);
    laidOutSize_ = {window.right - window.left, window.bottom - window.top};
    AttachControls();
    RebindButtons();
    m.result = TRUE;
    return true;
}

void CSearchFormView::OnInitialUpdate() {
    ui::FormView::OnInitialUpdate();
    theFormSize = {static_cast<int>(laidOutSize_.cx), static_cast<int>(laidOutSize_.cy)};
    if (!toolTip_.Exists() && toolTip_.Create(hwnd_)) {
        AddTools(toolTip_);
        toolTip_.Activate();
    }
    LoadHistories(ReadFormStateFile(UserFileToRead(kFormStateFileName), Blocks()));
    historiesLoaded_ = true;
    EnableWindow(Item(Buttons().stop), FALSE);
    ResetInputs();
    fileMasks_.SetEditText(theSettings.carriedMask);
    SetWindowTextW(GetAncestor(hwnd_, GA_ROOT), kProgramName);
    engine_.Services().searchForm = &buttons_;
}

bool CSearchFormView::OnStartClicked(ui::Message& m) {
    if (static_cast<int>(m.CommandId()) != Buttons().start) {
        return false;
    }
    OnStart();
    return true;
}

bool CSearchFormView::OnEnter(ui::Message&) {
    // Enter in a box of the form: Start, if Start can be pressed now.
    if (IsWindowEnabled(Item(Buttons().start))) {
        OnStart();
    }
    return true;
}

void CSearchFormView::BeginSearch() {
    const HWND focus = GetFocus();
    engine_.ShowSearchState(true);
    engine_.searchRunning = true;
    if (!engine_.StartSearch()) {
        // The engine did not take the search (the last one's threads were still ending): never
        // leave the form waiting for a search that does not run.
        engine_.searchRunning = false;
        buttons_.SetSearchButtons(false);
        return;
    }
    KeepFocusUsable(focus, Item(Buttons().stop));
}

void CSearchFormView::RefuseRequest(const std::wstring& why) {
    ui::ShowMessageBox(why, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

bool CSearchFormView::OnStopClicked(ui::Message& m) {
    if (static_cast<int>(m.CommandId()) != Buttons().stop) {
        return false;
    }
    const HWND focus = GetFocus();
    engine_.StopSearch();
    EnableWindow(Item(Buttons().stop), FALSE);
    KeepFocusUsable(focus, fileMasks_.Handle());
    return true;
}

void CSearchFormView::KeepFocusUsable(HWND focus, HWND next) const {
    // A button pressed from the keyboard and then disabled would leave the keys nowhere to go.
    if (focus && IsChild(hwnd_, focus) && !IsWindowEnabled(focus) && next && IsWindowEnabled(next)) {
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    }
}

bool CSearchFormView::OnModeClicked(ui::Message& m) {
    if (static_cast<int>(m.CommandId()) != Buttons().mode) {
        return false;
    }
    theSettings.carriedMask = fileMasks_.EditText();
    IFormHost* const host = host_;
    if (!host) {
        return true;
    }
    const bool advanced = !advanced_;
    IStatusBar* const status = engine_.Services().statusBar;
    // When it succeeds, this form is destroyed in here (writing the state file) and the other one
    // is in place and has read it when the call returns.
    if (!host->ReplaceForm(advanced)) {
        // The other form could not be made: this one stays, and so does the setting.
        RebindButtons();
        if (status) {
            status->SetPaneText(kPaneMessage, kTextFormNotSwapped);
        }
        return true;
    }
    FinishModeSwitch(advanced, status);
    return true;
}

void CSearchFormView::RebindButtons() {
    const ButtonIds ids = Buttons();
    buttons_.Bind(hwnd_, ids.start, ids.stop, ids.mode);
}

void CSearchFormView::FinishModeSwitch(bool advanced, IStatusBar* status) {
    // The setting follows the form that is shown, and only once it is shown.
    theSettings.Advanced = advanced ? 1 : 0;
    if (!theSettings.Save(AppProfile()) && status) {
        status->SetPaneText(kPaneMessage, kTextSettingsNotSaved);
    }
}

bool CSearchFormView::OnDestroy(ui::Message&) {
    buttons_.Unbind(hwnd_);
    toolTip_.Destroy();
    SaveHistories();
    return false;
}

bool CSearchFormView::OnEndSession(ui::Message& m) {
    if (m.wParam) {
        SaveHistories();
    }
    m.result = 0;
    return true;
}

void CSearchFormView::SaveHistories() const {
    if (historiesLoaded_ && !WriteFormStateFile(UserFileToWrite(kFormStateFileName), HistoriesToStore(), Blocks())) {
        // The histories are lost; said where it can be seen (not at the program's end).
        DebugTrace(kTextHistoriesNotSaved);
        if (IStatusBar* status = engine_.Services().statusBar) {
            status->SetPaneText(kPaneMessage, kTextHistoriesNotSaved);
        }
    }
}

} // namespace vk
