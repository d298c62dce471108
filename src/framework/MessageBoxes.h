#pragma once
// The program's message boxes. Each is owned by the program's active top-level window (the main
// window, or the dialog in front of it), so that it stays above that window and keeps it from
// input while it is open: a box without an owner can fall behind a maximized window that stays
// usable.

#include "framework/Win32.h"

#include <string_view>

namespace vk::ui {

// The window a message box opened now belongs to: this thread's active window, else the
// foreground window when it is the program's, else the window set by SetMainWindow; taken to its
// top-level window and then to the dialog open in front of it. Null when none of them is shown.
[[nodiscard]] HWND MessageBoxOwner();

// The window that owns message boxes when no window of the program is active (the main frame);
// null to forget it.
void SetMainWindow(HWND window);
[[nodiscard]] HWND MainWindow();

// A message box with MessageBoxOwner as owner; the button pressed.
int ShowMessageBox(std::wstring_view text, std::wstring_view caption, UINT flags);

} // namespace vk::ui
