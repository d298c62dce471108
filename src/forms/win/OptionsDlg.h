#pragma once
// The Options dialog (template IDD_OPTIONS): the tray icon, minimizing to the tray, and the tip of
// the day at start-up. "Apply" sets the two tray settings (the caller saves the settings and
// rebuilds the tray icon) and writes the tip choice to the profile; "Cancel" changes nothing.

#include "forms/OptionsChoices.h"
#include "framework/FormView.h"

namespace vk {

class COptionsDlg final : public ui::ModalDialog {
public:
    // profile: where the tip of the day's "StartUp" choice is read and written.
    explicit COptionsDlg(CSettings& settings, Profile& profile = AppProfile());

    // DoModal(owner) returns IDOK after "Apply", IDCANCEL otherwise.

    // After "Apply": whether the tip of the day's choice, which it writes at once, was saved.
    [[nodiscard]] bool TipChoiceSaved() const { return tipChoiceSaved_; }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnInitDialog(ui::Message& m);
    bool OnTrayIconClicked(ui::Message& m);
    bool OnApply(ui::Message& m);
    bool OnCancel(ui::Message& m);

    [[nodiscard]] bool IsChecked(int id) const;

    CSettings& settings_;
    Profile& profile_;
    bool tipChoiceSaved_ = true;
};

} // namespace vk
