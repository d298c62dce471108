#include "shell/win/AboutBox.h"

#include "resource.h"

namespace vk {

CAboutBox::CAboutBox() : ui::ModalDialog(IDD_ABOUTBOX) {}

bool CAboutBox::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CAboutBox> kMessages[] = {
        ui::OnCommand(IDOK, &CAboutBox::OnClose),
        ui::OnCommand(IDCANCEL, &CAboutBox::OnClose),
    };
    // clang-format on
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::ModalDialog::ProcessMessage(m);
}

bool CAboutBox::OnClose(ui::Message& m) {
    End(static_cast<INT_PTR>(m.CommandId()));
    return true;
}

} // namespace vk
