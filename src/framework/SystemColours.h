#pragma once
// The program's own colours against the user's: a text colour of the program's (the blue of the
// tree and the result list) gives way to the system's colours while high contrast is on, and the
// system's colour changes reach the common controls, which hear of them only from their top-level
// window.

#include "framework/Win32.h"

namespace vk::ui {

// Whether the user has high contrast on (SPI_GETHIGHCONTRAST).
[[nodiscard]] bool HighContrastOn();

// The query HighContrastOn asks, or what tests put in its place; returns the one it replaces.
using HighContrastQuery = bool (*)();
HighContrastQuery UseHighContrastQuery(HighContrastQuery query);

// A control's text colour: the program's own, or the system's window text in high contrast.
[[nodiscard]] COLORREF ProgramTextColour(COLORREF own);

// Sends WM_SYSCOLORCHANGE on to every window inside a top-level window (the system sends it to
// top-level windows only).
void ForwardSysColorChange(HWND topLevel);

} // namespace vk::ui
