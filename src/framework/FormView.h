#pragma once
// A view laid out from a dialog template, created as a child window (a modeless dialog with the
// DS_CONTROL and WS_CHILD styles). Tab and Enter work through the message loop, which hands the
// view's keyboard messages to the dialog manager.

#include "framework/Window.h"

namespace vk::ui {

class FormView : public Window {
public:
    explicit FormView(UINT templateId) : templateId_(templateId) {}

    // Creates the view inside parent. The view's own set-up runs in OnInitialUpdate, which the
    // owner calls once the view is in place (after creation and first sizing).
    bool CreateView(HWND parent);

    // Runs once; the owner calls it when the view is first shown.
    virtual void OnInitialUpdate() {}

    [[nodiscard]] HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    [[nodiscard]] UINT TemplateId() const { return templateId_; }

protected:
    // The dialog manager does the default processing of a dialog's messages.
    LRESULT DefaultProcessing(Message&) override { return 0; }

    // Hides the view's own scroll bars (the panes always fill it).
    void HideScrollBars() const;

private:
    UINT templateId_;
};

// A modal dialog from a template. It opens centred over its owner (CentreOverOwner).
class ModalDialog : public Window {
public:
    explicit ModalDialog(UINT templateId) : templateId_(templateId) {}
    // Shows the dialog and returns the code it ended with (IDOK, IDCANCEL, ...), -1 on failure.
    INT_PTR DoModal(HWND owner);
    void End(INT_PTR code) const { EndDialog(hwnd_, code); }

protected:
    LRESULT DefaultProcessing(Message&) override { return 0; }

private:
    UINT templateId_;
};

// Moves a dialog so that it lies centred over its owner window, inside the work area of the
// owner's screen; with no shown owner, centred in the work area. Every dialog of the program
// calls it when it opens (modal dialogs through DoModal).
void CentreOverOwner(HWND dialog);

} // namespace vk::ui
