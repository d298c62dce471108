#include "document/ProgramStatusBar.h"

#include <string>

namespace vk {

AtomicPointer<ui::StatusBarCtrl> theStatusBar;

void CurrentStatusBar::SetPaneText(int pane, std::wstring_view text) {
    if (ui::StatusBarCtrl* bar = theStatusBar) {
        bar->SetPaneText(pane, std::wstring(text));
    }
}

} // namespace vk
