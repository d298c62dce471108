#include "engine/SearchEngine.h"

#include "engine/ContentSearch.h"
#include "engine/EngineTexts.h"
#include "engine/MaskPieces.h"
#include "platform/DebugTrace.h"
#include "platform/ThreadPriority.h"

#include <algorithm>
#include <memory>
#include <new>
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
    if (searchActive.exchange(true)) {
        return false;
    }
    // A controller that is still finishing has already dropped searchActive: it touches neither
    // the list nor the store any more, only the form and the status bar.
    services_.resultList->DeleteAllRows();
    SetStatus(kPaneItemCount, kTextZeroItems);
    resultStore_.Clear();
    const unsigned search = ++searchNumber_;
    std::lock_guard lock(threadsLock_);
    // That controller may be waiting for this very thread to handle its last messages, so it is
    // not joined here but by the new controller, before it does anything.
    auto previous = std::make_shared<std::thread>(std::move(controller_));
    ++controllersRunning_;
    try {
        controller_ = std::thread([this, previous, search] {
            // The controller and the threads it starts (share workers, read-ahead helpers) work
            // behind the window, which must answer while they are busy.
            RankBehindTheWindow();
            if (previous->joinable()) {
                previous->join();
            }
            RunController(search);
            --controllersRunning_;
        });
    } catch (const std::system_error&) {
        // No thread: no search. The caller's buttons are switched back as after any search.
        controller_ = std::move(*previous);
        --controllersRunning_;
        searchActive = false;
        ShowSearchState(false);
        return false;
    }
    return true;
}

void CSearchEngine::SetReadAheadJobs(int jobs) {
    readAheadJobs_ = std::clamp(jobs, 0, kMaxReadAheadJobs);
}

void CSearchEngine::StopSearch() {
    searchRunning = false;
    // Stop while only nodes were being read says which (StopBrowsing's text).
    if (browser_.StopBrowsing() && !searchActive) {
        return;
    }
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
    if (ISearchForm* form = services_.searchForm) {
        form->SetSearchButtons(running);
    }
    if (!running) {
        SetStatus(kPaneMessage, kTextSearchCompleted);
    }
}

void CSearchEngine::RunController(unsigned search) {
    gate_.Open();
    partFailed_ = false;
    SetStatus(kPaneMessage, kTextPleaseWait);
    // Once per search, before any worker reads it.
    if (request_.textFilterOn) {
        WrapContainingText(request_.containingText);
        contentPattern_ = ContentPattern(request_.containingText);
    }
    walkFilters_ = WalkFilters(request_);
    hitDetail_ = HitListingDetail(request_, shownDetail_);
    std::unique_ptr<ReadAheadPool> readAhead;
    if (readAheadJobs_ > 0 && !request_.fileMask.empty()) {
        try {
            readAhead = std::make_unique<ReadAheadPool>(*services_.fileSystem, request_, contentPattern_, hitDetail_,
                                                        searchRunning, readAheadJobs_);
        } catch (const std::bad_alloc&) {
            // No read-ahead: the walks list one folder after the other.
        }
    }
    readAhead_ = readAhead.get();
    firstPiece_.clear();
    for (const auto& piece : SplitFileMask(request_.fileMask)) {
        if (IsNamePattern(piece)) {
            firstPiece_ = piece;
            break;
        }
    }
    try {
        if (tree_) {
            if (tree_->FirstChild(kNoNode) == kNoNode && browseJobs_.IsReading(kNoNode)) {
                // The tree's first fill has not come yet: the whole network, which the fresh
                // tree stands for, is walked live (and the tree not at all, whatever comes).
                WalkNetwork(nullptr);
            } else {
                for (currentTopLevel_ = tree_->FirstChild(kNoNode); currentTopLevel_ != kNoNode;
                     currentTopLevel_ = tree_->NextSibling(currentTopLevel_)) {
                    WalkCheckedNode(currentTopLevel_);
                }
            }
        }
        if (readAhead) {
            for (const auto& path : scopePaths_) {
                readAhead->Expect(path, firstPiece_);
            }
        }
        for (const auto& path : scopePaths_) {
            DispatchShareWorker(path);
        }
    } catch (...) {
        // Nothing may unwind out of the thread: a walk that failed stops the search, which
        // then completes like any other, and says so.
        DebugTrace(L"the search's network walk failed; the search stops");
        partFailed_ = true;
        searchRunning = false;
    }
    gate_.SignalExitIfIdle();
    gate_.WaitForExit();
    JoinFinishedWorkers(true);
    readAhead_ = nullptr;
    readAhead.reset(); // its helpers have ended before "Search completed"
    // From here on a new search may start: the next step enables Start, and the user may press
    // it before this thread has written "Search completed" and returned. A search started even
    // earlier (by a caller without buttons) has shown its own state: this one leaves it alone.
    searchActive = false;
    if (searchNumber_ == search) {
        ShowSearchState(false);
    }
    if (partFailed_) {
        if (IUserMessages* messages = services_.messages) {
            messages->ShowMessage(kTextSearchFailedInPart, kProgramName);
        }
    }
}

void CSearchEngine::SetStatus(int pane, std::wstring_view text) {
    if (IStatusBar* bar = services_.statusBar) {
        bar->SetPaneText(pane, text);
    }
}

} // namespace vk
