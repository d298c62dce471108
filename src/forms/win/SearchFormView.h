#pragma once
// What the two search forms share: the form in the lower pane that fills the search request and
// starts, stops and swaps. Each form class keeps its own controls and its own Start; this base
// runs the initial update's common steps, Stop, the mode switch, Enter, and the state file.
//
// The state file (vk.set) is written whenever a history changes, when the form goes, and when
// its holder passes it WM_ENDSESSION (the session ends: Windows ends the program without
// destroying its windows), so that no way of ending loses a history.
//
// A form is created by MakeSearchForm (SearchForms.h) and placed by its holder, which gives it
// the holder (SetHost) for the mode switch and then runs its initial update.

#include "forms/FormHost.h"
#include "forms/FormStateFile.h"
#include "forms/win/FormToolTip.h"
#include "forms/win/MaskComboBox.h"
#include "framework/FormView.h"

#include <string>

namespace vk {

class CSearchEngine;
class IStatusBar;
class SearchButtons;

class CSearchFormView : public ui::FormView {
public:
    // The holder of the lower pane; the mode button asks it for the swap.
    void SetHost(IFormHost* host) { host_ = host; }

    void OnInitialUpdate() override;

    [[nodiscard]] bool IsAdvanced() const { return advanced_; }
    [[nodiscard]] CSearchEngine& Engine() const { return engine_; }
    [[nodiscard]] const FormToolTip& ToolTip() const { return toolTip_; }
    // The file or folder mask box (its list is the file-mask history).
    [[nodiscard]] const MaskComboBox& FileMaskBox() const { return fileMasks_; }

protected:
    CSearchFormView(UINT templateId, bool advanced, CSearchEngine& engine, SearchButtons& buttons);

    bool ProcessMessage(ui::Message& m) override;

    // The form's own parts.
    struct ButtonIds {
        int start;
        int stop;
        int mode;
    };
    [[nodiscard]] virtual ButtonIds Buttons() const = 0;
    // Takes the form's controls (at WM_INITDIALOG).
    virtual void AttachControls() = 0;
    virtual void AddTools(FormToolTip& tip) = 0;
    // Puts the histories read from the state file into the boxes, and returns them for the file.
    virtual void LoadHistories(const FormState& state) = 0;
    [[nodiscard]] virtual FormState HistoriesToStore() const = 0;
    // Sets the inputs to the way they look each time the form is shown (after the histories,
    // before the carried mask).
    virtual void ResetInputs() {}
    // Start: fill the request, then BeginSearch or RefuseRequest.
    virtual void OnStart() = 0;

    [[nodiscard]] FormBlocks Blocks() const {
        return advanced_ ? FormBlocks::kFileAndShareMasks : FormBlocks::kFileMasks;
    }
    // Switches the buttons, raises searchRunning and starts the search. If the engine refuses to
    // start, the buttons are put back: nothing runs.
    void BeginSearch();
    // Writes the histories to the state file; a failure is said in the status bar.
    void SaveHistories() const;
    // Why nothing starts ("Please insert mask for search.", a mask's fault) in a message box over
    // the main window.
    static void RefuseRequest(const std::wstring& why);

    MaskComboBox fileMasks_;

private:
    bool OnInitDialog(ui::Message& m);
    bool OnStartClicked(ui::Message& m);
    bool OnEnter(ui::Message& m);
    bool OnStopClicked(ui::Message& m);
    bool OnModeClicked(ui::Message& m);
    bool OnDestroy(ui::Message& m);
    bool OnEndSession(ui::Message& m);

    // The mode switch's last step, after the form has gone: it touches only the settings and the
    // status bar (status: the engine's; a failed save of the settings is shown).
    static void FinishModeSwitch(bool advanced, IStatusBar* status);
    // Makes this form's buttons the ones the engine switches.
    void RebindButtons();
    // Moves the focus to next when the control that had it (focus) has just been disabled.
    void KeepFocusUsable(HWND focus, HWND next) const;

    bool advanced_;
    CSearchEngine& engine_;
    SearchButtons& buttons_;
    IFormHost* host_ = nullptr;
    FormToolTip toolTip_;
    SIZE laidOutSize_{};
    // Set once the histories have been read: a form that never read them writes no state file.
    bool historiesLoaded_ = false;
};

} // namespace vk
