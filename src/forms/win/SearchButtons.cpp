#include "forms/win/SearchButtons.h"

#include "forms/Settings.h"

namespace vk {

SearchButtonSet theSimpleFormButtons;
SearchButtonSet theAdvancedFormButtons;
SearchStateButtons theSearchStateButtons;

void SearchButtonSet::Bind(HWND form, int startId, int stopId, int modeId) {
    start_ = GetDlgItem(form, startId);
    stop_ = GetDlgItem(form, stopId);
    mode_ = GetDlgItem(form, modeId);
}

void SearchButtonSet::Unbind() {
    start_ = nullptr;
    stop_ = nullptr;
    mode_ = nullptr;
}

void SearchButtonSet::Show(bool running) const {
    // Each call is one message to the user interface thread; a null handle is skipped.
    const auto enable = [](HWND button, bool enabled) {
        if (button) {
            EnableWindow(button, enabled ? TRUE : FALSE);
        }
    };
    enable(Start(), !running);
    enable(Mode(), !running);
    enable(Stop(), running);
}

void SearchStateButtons::SetSearchButtons(bool running) {
    (theSettings.Advanced != 0 ? theAdvancedFormButtons : theSimpleFormButtons).Show(running);
}

} // namespace vk
