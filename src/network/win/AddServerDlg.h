#pragma once
// "Add Server": a box that takes one or more server names or addresses, or the UNC path of a
// share or folder (see ParseServerList). OK with nothing usable, or with a piece that is no name,
// says so and keeps the dialog open.

#include "framework/FormView.h"

#include <string>
#include <vector>

namespace vk {

class CAddServerDlg final : public ui::ModalDialog {
public:
    CAddServerDlg();
    // The entries typed, once the dialog ended with IDOK.
    [[nodiscard]] const std::vector<std::wstring>& Entries() const { return entries_; }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnOk(ui::Message& m);
    bool OnCancel(ui::Message& m);

    std::vector<std::wstring> entries_;
};

} // namespace vk
