// The share workers: dispatching them through the gate and the walk each one does.

#include "engine/AheadWalk.h"
#include "engine/MaskPieces.h"
#include "engine/SearchEngine.h"
#include "platform/DebugTrace.h"
#include "platform/ThreadPriority.h"

#include <memory>
#include <system_error>

namespace vk {

int CSearchEngine::DispatchShareWorker(const std::wstring& path) {
    if (request_.fileMask.empty() || !searchRunning) {
        return 1;
    }
    if (readAhead_ != nullptr && !firstPiece_.empty()) {
        readAhead_->Expect(path, firstPiece_); // read ahead while waiting at the gate
    }
    gate_.Admit();
    JoinFinishedWorkers(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread thread([this, path, finished] {
            RankBehindTheWindow();
            try {
                ShareWorker(path);
            } catch (...) {
                // A worker that failed ends like one that finished; the search says so at its end.
                DebugTrace(L"the share worker of " + path + L" failed");
                partFailed_ = true;
            }
            gate_.Release();
            *finished = true;
        });
        workers_.push_back({std::move(thread), std::move(finished)});
    } catch (const std::system_error&) {
        gate_.Release(); // no thread: the worker never became active
    }
    return 1;
}

void CSearchEngine::ShareWorker(const std::wstring& path) {
    const std::vector<std::wstring> pieces = SplitFileMask(request_.fileMask);
    for (const auto& piece : pieces) {
        if (!searchRunning) {
            break;
        }
        if (!IsNamePattern(piece)) {
            continue;
        }
        if (readAhead_ != nullptr) {
            auto walk = readAhead_->TakeExpected(path, piece);
            if (!walk) {
                walk = std::make_unique<AheadWalk>(*readAhead_, path, piece);
            }
            SearchDirectoryAhead(*walk);
        } else {
            SearchDirectory(path, piece);
        }
    }
}

void CSearchEngine::JoinFinishedWorkers(bool all) {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (all || it->finished->load()) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace vk
