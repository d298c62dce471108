#pragma once
// The main window's status bar: pane 0 the message pane, pane 1 the item count. The frame makes
// it and points theStatusBar (document/ProgramStatusBar.h) at it, through which the engine's
// texts and the result view's item count reach it.

#include "framework/Controls.h"

namespace vk {

class CStatusBar final : public ui::StatusBarCtrl {
public:
    // Creates the bar at the bottom of parent with the message pane and the item count pane.
    bool CreateFor(HWND parent);
    // Lays the panes out for the parent's client width (the count pane keeps a fixed width) and
    // returns the bar's height, the room the parent's panes must leave at the bottom.
    int Resize(int width) const;
};

} // namespace vk
