#pragma once
// The main window's status bar: pane 0 the message pane, pane 1 the item count. Engine threads
// write it too: each text is one synchronous message to the bar, carried out on the user
// interface thread.

#include "engine/EngineSeams.h"
#include "framework/Controls.h"

namespace vk {

class CStatusBar final : public ui::StatusBarCtrl, public IStatusBar {
public:
    // Creates the bar at the bottom of parent with the message pane and the item count pane.
    bool CreateFor(HWND parent);
    // Lays the panes out for the parent's client width (the count pane keeps a fixed width) and
    // returns the bar's height, the room the parent's panes must leave at the bottom.
    int Resize(int width) const;

    void SetPaneText(int pane, std::wstring_view text) override;
    using ui::StatusBarCtrl::PaneText;
};

// The program's one status bar, set when it is created; null before.
extern CStatusBar* theStatusBar;

} // namespace vk
