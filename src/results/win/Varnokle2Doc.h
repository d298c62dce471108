#pragma once
// The document: owns the search engine for the program's whole run. The views reach the engine
// through it; the result view and the tree pane fill in the engine's services when they are set
// up (the result list and icon cache, the tree).

#include "engine/SearchEngine.h"
#include "platform/NetworkEnvironment.h"
#include "results/win/UserMessages.h"

#include <memory>

namespace vk {

class CVarnokle2View;

class CVarnokle2Doc {
public:
    explicit CVarnokle2Doc(NetworkEnvironment& environment);
    // Stops a running search and waits for it while handling the messages its threads send.
    ~CVarnokle2Doc();
    CVarnokle2Doc(const CVarnokle2Doc&) = delete;
    CVarnokle2Doc& operator=(const CVarnokle2Doc&) = delete;

    [[nodiscard]] CSearchEngine& Engine() { return *engine_; }
    [[nodiscard]] NetworkEnvironment& Environment() { return environment_; }

    // The result view, set by the view in its initial update.
    CVarnokle2View* resultView = nullptr;

    // Stops a running search and waits until it has completed, handling the messages that its
    // threads send to the user interface meanwhile. Returns false if it did not end in time.
    bool StopAndWait();

private:
    NetworkEnvironment& environment_;
    MessageBoxMessages messages_;
    std::unique_ptr<CSearchEngine> engine_;
};

} // namespace vk
