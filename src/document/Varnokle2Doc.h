#pragma once
// The document: owns the search engine for the program's whole run, and what the engine reaches
// the user interface through without a window of its own: the message boxes, the status bar of
// the moment (theStatusBar, which the frame makes after the document) and the buttons of the
// search form that is shown. The panes, which lie below the document, reach it through the
// interfaces it implements (IEngineHost, IResultViewHost); the result view and the tree pane fill
// in the engine's services when they are set up (the result list and icon cache, the tree).

#include "document/ProgramStatusBar.h"
#include "document/UserMessages.h"
#include "engine/SearchEngine.h"
#include "forms/win/SearchButtons.h"
#include "platform/NetworkEnvironment.h"
#include "results/ResultViewHost.h"

#include <memory>

namespace vk {

class CVarnokle2View;

class CVarnokle2Doc final : public IResultViewHost {
public:
    explicit CVarnokle2Doc(NetworkEnvironment& environment);
    // Stops a running search and waits for its threads (StopSearchAndWait).
    ~CVarnokle2Doc() override;
    CVarnokle2Doc(const CVarnokle2Doc&) = delete;
    CVarnokle2Doc& operator=(const CVarnokle2Doc&) = delete;

    [[nodiscard]] CSearchEngine& Engine() override { return *engine_; }
    [[nodiscard]] NetworkEnvironment& Environment() override { return environment_; }
    // The Start, Stop and mode buttons of the search form that is shown.
    [[nodiscard]] SearchButtons& Buttons() { return buttons_; }

    // The result view, set by the view in its initial update.
    CVarnokle2View* resultView = nullptr;

    // Stops the running search and the browsing, if any, and returns once every thread of the
    // engine has ended.
    // Until then it keeps handling this thread's messages: the engine's threads send the result
    // list, the tree, the form and the status bar synchronous messages, and would never end
    // otherwise. A search that a handler starts meanwhile is stopped as well. There is no
    // time-out: the threads end at their next check of searchRunning, which comes as soon as the
    // system call they are in returns.
    //
    // Call it on the user interface thread before anything the engine uses goes away: the main
    // frame's close calls it first of all, before it destroys a window (a running search uses
    // the list, the tree, the form's buttons and the status bar); the panes and the document call
    // it again as they go. It returns at once when no search runs.
    void StopSearchAndWait() override;

    void SetResultView(CVarnokle2View* view) override { resultView = view; }
    void ReleaseResultView(CVarnokle2View* view) override {
        if (resultView == view) {
            resultView = nullptr;
        }
    }
    void ShowItemCount(std::wstring_view text) override;

private:
    NetworkEnvironment& environment_;
    MessageBoxMessages messages_;
    CurrentStatusBar statusBar_;
    SearchButtons buttons_;
    std::unique_ptr<CSearchEngine> engine_;
};

} // namespace vk
