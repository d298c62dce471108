#include "shell/win/TrayIcon.h"

#include "framework/Window.h"
#include "resource.h"
#include "shell/TrayIconRules.h"
#include "shell/win/SubTray2.h"

namespace vk {

bool AddProgramTrayIcon(HWND window, bool minimizeToTray) {
    // The program's icon at the size of the notification area (a shared icon: nobody frees it).
    const auto icon =
        static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return SubTray2Add(window, TrayOptions(minimizeToTray), kTrayIconId, L"Varnokle", icon) &&
           SubTray2AddMenuItem(window, ID_APP_ABOUT, L"&About") &&
           SubTray2AddMenuItem(window, ID_TRAY_SHOW, L"&Show") && SubTray2AddMenuItem(window, ID_APP_EXIT, L"&Exit");
}

} // namespace vk
