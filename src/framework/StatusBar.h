#pragma once
// The main window's status bar: pane 0 the message pane, pane 1 the item count. Engine threads
// write it too: each text is one synchronous message to the bar, carried out on the user
// interface thread.

#include "engine/AtomicPointer.h"
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

// The program's one status bar, set when it is created; null before. Engine threads read it at
// every text they show: clear it, and destroy the bar, only once no search thread runs.
extern AtomicPointer<CStatusBar> theStatusBar;

// The status bar as the engine sees it: each text goes to theStatusBar as it stands when the
// text comes, so the engine that the document makes before the frame makes its bar still shows
// every text there, and none once the bar has gone.
class CurrentStatusBar final : public IStatusBar {
public:
    void SetPaneText(int pane, std::wstring_view text) override;
};

} // namespace vk
