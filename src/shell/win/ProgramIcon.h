#pragma once
// The program's icon (icon resource 128) at a size: the window's, the task bar's and the tray's.

#include "framework/Win32.h"

namespace vk {

// The icon's own image of that size (or the nearest, scaled), loaded once a size and kept for the
// life of the program: nobody frees it. (A shared icon would not do: the system hands out the
// size that was loaded first for every later size asked for.)
[[nodiscard]] HICON ProgramIcon(int width, int height);

} // namespace vk
