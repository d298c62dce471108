// A server's shares: filtered by the share mask during a search, listed when browsing.

#include "engine/EngineLocks.h"
#include "engine/HitWriter.h"
#include "engine/PatternMatcher.h"
#include "engine/SearchEngine.h"

#include <mutex>

namespace vk {
namespace {

// Whether to ask the server for another page. A "more data" answer that brought no share, or
// left the resume handle where it was, made no progress: asking again could go on for ever, so
// the listing ends there, as the network enumerations end at a call that yields nothing.
bool AnotherPageFollows(ErrorCode status, const std::vector<std::wstring>& names, std::uint32_t resumeBefore,
                        std::uint32_t resumeAfter) {
    return status == kErrorMoreData && !names.empty() && resumeAfter != resumeBefore;
}

} // namespace

void CSearchEngine::SearchServerShares(const std::wstring& server) {
    NetworkServices* network = services_.network;
    if (!network || !searchRunning) {
        return;
    }
    HitWriter writer(*services_.resultList, resultStore_, hitCursors_);
    const std::wstring prefix = server + L"\\";
    std::uint32_t resume = 0;
    std::vector<std::wstring> names;
    while (searchRunning) {
        const std::uint32_t resumeBefore = resume;
        const ErrorCode status = network->ShareEnum(server, names, resume);
        if (!searchRunning || (status != kErrorSuccess && status != kErrorMoreData)) {
            return;
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
                    writer.Add({name, services_.iconIndex->IndexOfKey(L"."), 0, prefix + name, false, prefix});
                    continue;
                }
            }
            DispatchShareWorker(prefix + name);
        }
        if (!AnotherPageFollows(status, names, resumeBefore, resume)) {
            return;
        }
    }
}

ErrorCode CSearchEngine::BrowseServerShares(TreeNode node, const std::wstring& server) {
    if (searchActive || !services_.network) {
        return kErrorSuccess;
    }
    IScopeTree& tree = *tree_;
    IResultList& list = *services_.resultList;
    list.DeleteAllRows();
    resultStore_.Clear();

    // A second listing refreshes the result list but adds no share node twice.
    const bool addToTree = tree.FirstChild(node) == kNoNode;
    const int folderImage = services_.iconIndex->IndexOfKey(L".");
    int position = 0;
    std::uint32_t resume = 0;
    std::vector<std::wstring> names;
    ErrorCode status = kErrorSuccess;
    std::uint32_t resumeBefore = 0;
    do {
        // A failure ends the listing silently; what was listed before stays.
        resumeBefore = resume;
        status = services_.network->ShareEnum(server, names, resume);
        if (status != kErrorSuccess && status != kErrorMoreData) {
            break;
        }
        for (const std::wstring& name : names) {
            const int row = list.InsertRow(position, name, folderImage);
            list.SetColumnText(row, 2, server);
            const std::size_t index = resultStore_.Append(server + L"\\" + name, 0);
            list.SetRowData(row, static_cast<std::intptr_t>(index));
            if (addToTree) {
                tree.InsertNode(node,
                                {name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, true, tree.GetCheckState(node)});
            }
            ++position;
        }
    } while (AnotherPageFollows(status, names, resumeBefore, resume));
    return status;
}

} // namespace vk
