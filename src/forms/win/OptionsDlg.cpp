#include "forms/win/OptionsDlg.h"

#include "resource.h"

namespace vk {

COptionsDlg::COptionsDlg(CSettings& settings, Profile& profile)
    : ui::ModalDialog(IDD_OPTIONS), settings_(settings), profile_(profile) {}

bool COptionsDlg::ProcessMessage(ui::Message& m) {
    static constexpr ui::MessageEntry<COptionsDlg> kMessages[] = {
        ui::On(WM_INITDIALOG, &COptionsDlg::OnInitDialog),
        ui::OnControl(BN_CLICKED, IDC_SHOW_TRAY_ICON, &COptionsDlg::OnTrayIconClicked),
        ui::OnControl(BN_CLICKED, IDOK, &COptionsDlg::OnApply),
        ui::OnControl(BN_CLICKED, IDCANCEL, &COptionsDlg::OnCancel),
    };
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::ModalDialog::ProcessMessage(m);
}

bool COptionsDlg::OnInitDialog(ui::Message& m) {
    const OptionsChoices choices = OptionsChoices::FromSettings(settings_, profile_);
    if (choices.showIconInTray) {
        CheckDlgButton(hwnd_, IDC_SHOW_TRAY_ICON, BST_CHECKED);
    } else {
        EnableWindow(GetDlgItem(hwnd_, IDC_MINIMIZE_TO_TRAY), FALSE);
    }
    if (choices.minimizeToTray) {
        CheckDlgButton(hwnd_, IDC_MINIMIZE_TO_TRAY, BST_CHECKED);
    }
    if (choices.showTipsAtStartup) {
        CheckDlgButton(hwnd_, IDC_SHOW_TIPS, BST_CHECKED);
    }
    m.result = TRUE; // the focus goes where the dialog puts it
    return true;
}

bool COptionsDlg::OnTrayIconClicked(ui::Message&) {
    // The minimize box keeps its mark either way.
    EnableWindow(GetDlgItem(hwnd_, IDC_MINIMIZE_TO_TRAY), IsChecked(IDC_SHOW_TRAY_ICON) ? TRUE : FALSE);
    return true;
}

bool COptionsDlg::OnApply(ui::Message&) {
    OptionsChoices choices;
    choices.showIconInTray = IsChecked(IDC_SHOW_TRAY_ICON);
    choices.minimizeToTray = IsChecked(IDC_MINIMIZE_TO_TRAY);
    choices.showTipsAtStartup = IsChecked(IDC_SHOW_TIPS);
    tipChoiceSaved_ = choices.Apply(settings_, profile_);
    End(IDOK);
    return true;
}

bool COptionsDlg::OnCancel(ui::Message&) {
    End(IDCANCEL);
    return true;
}

bool COptionsDlg::IsChecked(int id) const {
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

} // namespace vk
