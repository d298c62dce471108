#include "framework/CommandTable.h"

namespace vk::ui {

void UpdateMenuItems(HMENU popup, const CommandStateQuery& state) {
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW item{sizeof item};
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &item) || item.hSubMenu ||
            (item.fType & MFT_SEPARATOR)) {
            continue;
        }
        const CommandState now = state(item.wID);
        EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (now.enabled ? MF_ENABLED : MF_GRAYED));
        if (now.checked) {
            CheckMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (*now.checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

void UpdateToolBarButtons(const ToolBarCtrl& bar, const CommandStateQuery& state) {
    for (const UINT command : bar.Commands()) {
        if (command == 0) {
            continue;
        }
        const bool enabled = state(command).enabled;
        if (bar.IsEnabled(command) != enabled) {
            bar.Enable(command, enabled);
        }
    }
}

} // namespace vk::ui
