#pragma once
// The program's status bar as the document reaches it. The main frame makes the bar
// (shell/win/StatusBar.h) after the document and points theStatusBar at it; the engine's texts
// and the result view's item count go to the bar that theStatusBar names when they come, so that
// they reach the bar of the moment, and none reach a bar that has gone.

#include "engine/AtomicPointer.h"
#include "engine/EngineSeams.h"
#include "framework/Controls.h"

#include <string_view>

namespace vk {

// The program's one status bar, set when it is created; null before. Engine threads read it at
// every text they show: clear it, and destroy the bar, only once no search thread runs.
extern AtomicPointer<ui::StatusBarCtrl> theStatusBar;

// The status bar as the engine sees it: each text to theStatusBar as it stands then.
class CurrentStatusBar final : public IStatusBar {
public:
    void SetPaneText(int pane, std::wstring_view text) override;
};

} // namespace vk
