#pragma once
// Whether a theme draws a control. With visual styles on (the program's manifest asks for them,
// Windows 10 and 11 have no way to turn them off) buttons, combo boxes, scroll bars, headers and
// the edges of edits and lists are drawn by the theme; the flat look was made for controls drawn
// the classic way, and leaves themed ones to the theme.

#include "framework/Win32.h"

namespace vk {

// The application is themed (IsAppThemed) and the control has a theme of its own (GetWindowTheme).
[[nodiscard]] bool DrawnByTheme(HWND control);

// The query DrawnByTheme asks, or what tests put in its place; returns the one it replaces.
using ThemeQuery = bool (*)(HWND control);
ThemeQuery UseThemeQuery(ThemeQuery query);

} // namespace vk
