#pragma once
// The main window's icon in the notification area, as the frame adds it: identifier 171, the
// tooltip "Varnokle", the program's icon and the menu "&About", "&Show", "&Exit".

#include "framework/Win32.h"

namespace vk {

constexpr UINT kTrayIconId = 171;

// Adds the icon and its menu to the window; minimizeToTray: minimizing the window hides it.
bool AddProgramTrayIcon(HWND window, bool minimizeToTray);

} // namespace vk
