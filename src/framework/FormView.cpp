#include "framework/FormView.h"

#include "framework/DialogPlacement.h"
#include "framework/MessageLoop.h"

namespace vk::ui {
namespace {

PixelRect ToPixelRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The dialog's own procedure, then its place: after its WM_INITDIALOG handler, which may still
// change its size.
INT_PTR CALLBACK ModalDialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = DialogProcedure(hwnd, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        CentreOverOwner(hwnd);
    }
    return result;
}

} // namespace

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
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), owner, ModalDialogProcedure,
                           reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
}

void CentreOverOwner(HWND dialog) {
    RECT rect{};
    if (!GetWindowRect(dialog, &rect)) {
        return;
    }
    const HWND owner = GetWindow(dialog, GW_OWNER);
    const bool ownerShown = owner && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor{sizeof monitor};
    const HMONITOR screen = MonitorFromWindow(ownerShown ? owner : dialog, MONITOR_DEFAULTTONEAREST);
    if (!GetMonitorInfoW(screen, &monitor)) {
        return;
    }
    RECT ownerRect{};
    const bool centreOnOwner = ownerShown && GetWindowRect(owner, &ownerRect);
    const PixelRect around = ToPixelRect(ownerRect);
    const ScreenPoint origin = CentredDialogOrigin(rect.right - rect.left, rect.bottom - rect.top,
                                                   centreOnOwner ? &around : nullptr, ToPixelRect(monitor.rcWork));
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vk::ui
