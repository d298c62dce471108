#include "engine/SearchEngine.h"

#include "engine/EngineTexts.h"

#include <system_error>
#include <utility>

namespace vk {

CSearchEngine::CSearchEngine(EngineServices services) : services_(services) {}

CSearchEngine::~CSearchEngine() {
    searchRunning = false;
    WaitForSearchEnd();
}

void CSearchEngine::SetScopePaths(std::vector<std::wstring> paths) {
    scopePaths_ = std::move(paths);
}

bool CSearchEngine::StartSearch() {
    if (controllerRunning_ || searchActive.exchange(true)) {
        return false;
    }
    // The previous controller has already shown its completion: it only has to return.
    WaitForSearchEnd();
    services_.resultList->DeleteAllRows();
    SetStatus(kPaneItemCount, kTextZeroItems);
    resultStore_.Clear();
    std::lock_guard lock(threadsLock_);
    controllerRunning_ = true;
    try {
        controller_ = std::thread([this] {
            RunController();
            controllerRunning_ = false;
        });
    } catch (const std::system_error&) {
        // No thread: no search. The caller's buttons are switched back as after any search.
        controllerRunning_ = false;
        searchActive = false;
        ShowSearchState(false);
        return false;
    }
    return true;
}

void CSearchEngine::StopSearch() {
    searchRunning = false;
    SetStatus(kPaneMessage, kTextWaitingForThreads);
}

void CSearchEngine::WaitForSearchEnd() {
    std::thread controller;
    {
        std::lock_guard lock(threadsLock_);
        controller = std::move(controller_);
    }
    if (controller.joinable()) {
        controller.join();
    }
}

void CSearchEngine::ShowSearchState(bool running) {
    // The buttons come last: once Start is enabled again, the controller only returns.
    if (!running) {
        SetStatus(kPaneMessage, kTextSearchCompleted);
    }
    if (services_.searchForm) {
        services_.searchForm->SetSearchButtons(running);
    }
}

void CSearchEngine::RunController() {
    gate_.Open();
    SetStatus(kPaneMessage, kTextPleaseWait);
    try {
        if (tree_) {
            for (currentTopLevel_ = tree_->FirstChild(kNoNode); currentTopLevel_ != kNoNode;
                 currentTopLevel_ = tree_->NextSibling(currentTopLevel_)) {
                WalkCheckedNode(currentTopLevel_);
            }
        }
        for (const auto& path : scopePaths_) {
            DispatchShareWorker(path);
        }
    } catch (...) {
        // Nothing may unwind out of the thread: a walk that failed stops the search, which
        // then completes like any other.
        searchRunning = false;
    }
    gate_.SignalExitIfIdle();
    gate_.WaitForExit();
    JoinFinishedWorkers(true);
    searchActive = false;
    ShowSearchState(false);
}

void CSearchEngine::SetStatus(int pane, std::wstring_view text) {
    if (services_.statusBar) {
        services_.statusBar->SetPaneText(pane, text);
    }
}

} // namespace vk
