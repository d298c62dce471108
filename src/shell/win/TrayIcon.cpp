#include "shell/win/TrayIcon.h"

#include "resource.h"
#include "shell/TrayIconRules.h"
#include "shell/win/ProgramIcon.h"
#include "shell/win/SubTray2.h"

namespace vk {

bool AddProgramTrayIcon(HWND window, bool minimizeToTray) {
    // The program's icon at the size of the notification area.
    const HICON icon = ProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    return SubTray2Add(window, TrayOptions(minimizeToTray), kTrayIconId, L"Varnokle", icon) &&
           SubTray2AddMenuItem(window, ID_APP_ABOUT, L"&About") &&
           SubTray2AddMenuItem(window, ID_TRAY_SHOW, L"&Show") && SubTray2AddMenuItem(window, ID_APP_EXIT, L"&Exit");
}

} // namespace vk
