#pragma once
// The program's icon (icon resource 128) at a size: the window's, the task bar's and the tray's.

#include "framework/Win32.h"

namespace vk {

// A shared icon of the module: nobody frees it.
[[nodiscard]] HICON ProgramIcon(int width, int height);

} // namespace vk
