#include "framework/FormView.h"

#include "framework/MessageLoop.h"

namespace vk::ui {

bool FormView::CreateView(HWND parent) {
    const HWND hwnd = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProcedure,
                                         reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
    if (!hwnd) {
        return false;
    }
    RegisterDialogForKeys(hwnd);
    return true;
}

void FormView::HideScrollBars() const {
    ShowScrollBar(hwnd_, SB_BOTH, FALSE);
}

INT_PTR ModalDialog::DoModal(HWND owner) {
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), owner, DialogProcedure,
                           reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
}

} // namespace vk::ui
