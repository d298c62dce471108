#pragma once
// The control ids of a frame's standard windows: its toolbar and its status bar (the same
// numbers as the commands that show and hide them), and its first pane (a splitter's other panes
// count on from it, see CPaneSplitter::PaneId).

#include "framework/Win32.h"

namespace vk::ui {

constexpr UINT kToolBarId = 59392;
constexpr UINT kStatusBarId = 59393;
constexpr UINT kFirstPaneId = 59648;

} // namespace vk::ui
