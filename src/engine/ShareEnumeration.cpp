// A server's shares during a search: share hits or workers, filtered by the share mask.

#include "engine/EngineLocks.h"
#include "engine/HitWriter.h"
#include "engine/PatternMatcher.h"
#include "engine/SearchEngine.h"

#include <mutex>

namespace vk {

void CSearchEngine::SearchServerShares(const std::wstring& server) {
    NetworkServices* network = services_.network;
    if (!network || !searchRunning) {
        return;
    }
    HitWriter writer(*services_.resultList, resultStore_, hitCursors_);
    const std::wstring prefix = server + L"\\";
    std::uint32_t resume = 0;
    std::vector<ShareInfo> page;
    std::vector<std::wstring> names;
    // The first page may have been asked for ahead, by a helper of the read-ahead.
    bool askedAhead = readAhead_ != nullptr;
    while (searchRunning) {
        const std::uint32_t resumeBefore = resume;
        ErrorCode status = kErrorSuccess;
        if (!askedAhead || !readAhead_->TakeShares(server, page, resume, status)) {
            status = network->ShareEnum(server, page, resume);
        }
        askedAhead = false;
        if (!searchRunning || (status != kErrorSuccess && status != kErrorMoreData)) {
            return;
        }
        // Printer queues, devices and the inter-process share are neither hits nor walked.
        names.clear();
        AppendDiskShareNames(page, names);
        // The helpers may begin the shares of this page while the workers before them run.
        for (const std::wstring& name : names) {
            if (readAhead_ != nullptr && !firstPiece_.empty() &&
                (request_.shareMask.empty() || MatchPattern(name, request_.shareMask, false))) {
                readAhead_->Expect(prefix + name, firstPiece_);
            }
        }
        for (const std::wstring& name : names) {
            if (!searchRunning) {
                break;
            }
            if (!request_.shareMask.empty()) {
                if (!MatchPattern(name, request_.shareMask, false)) {
                    continue;
                }
                if (request_.fileMask.empty()) {
                    // Without a file mask the share itself is the hit; no worker starts.
                    std::lock_guard hit(hitLock);
                    writer.Add({name, services_.iconIndex->IndexOfKey(L"."), 0, false, prefix});
                    continue;
                }
            }
            DispatchShareWorker(prefix + name);
        }
        if (!AnotherSharePageFollows(status, page, resumeBefore, resume)) {
            return;
        }
    }
}

} // namespace vk
