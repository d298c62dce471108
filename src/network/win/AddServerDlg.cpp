#include "network/win/AddServerDlg.h"

#include "engine/EngineTexts.h"
#include "engine/ServerList.h"
#include "framework/MessageBoxes.h"
#include "resource.h"

namespace vk {
namespace {

std::wstring ItemText(HWND item) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

CAddServerDlg::CAddServerDlg() : ui::ModalDialog(IDD_ADD_SERVER) {}

bool CAddServerDlg::ProcessMessage(ui::Message& m) {
    static constexpr ui::MessageEntry<CAddServerDlg> kMessages[] = {
        ui::OnCommand(IDOK, &CAddServerDlg::OnOk),
        ui::OnCommand(IDCANCEL, &CAddServerDlg::OnCancel),
    };
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::ModalDialog::ProcessMessage(m);
}

bool CAddServerDlg::OnOk(ui::Message&) {
    const HWND names = GetDlgItem(hwnd_, IDC_SERVER_NAMES);
    ParsedServerList parsed = ParseServerList(ItemText(names));
    std::wstring problem;
    if (!parsed.rejected.empty()) {
        problem = kTextNotAServerName;
        for (const std::wstring& piece : parsed.rejected) {
            problem += L"\n" + piece;
        }
    } else if (parsed.entries.empty()) {
        problem = kTextTypeAServerName;
    }
    if (!problem.empty()) {
        ui::ShowMessageBox(problem, kProgramName, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(names);
        return true;
    }
    entries_ = std::move(parsed.entries);
    End(IDOK);
    return true;
}

bool CAddServerDlg::OnCancel(ui::Message&) {
    End(IDCANCEL);
    return true;
}

} // namespace vk
