// The network side of a search: the walk over the checked part of the tree, and the live
// enumeration below the nodes that were never expanded.

#include "engine/SearchEngine.h"

namespace vk {
namespace {

bool IsServerRecord(const NetResource* resource) {
    return resource && resource->displayType == kDisplayTypeServer;
}

} // namespace

void CSearchEngine::WalkCheckedNode(TreeNode node) {
    IScopeTree& tree = *tree_;
    // A provider that holds only the added servers' group is walked live as well.
    if (node == currentTopLevel_ && !HasListedChildren(tree, node)) {
        SearchUnwalkedNode(node);
    }
    for (TreeNode child = tree.FirstChild(node); child != kNoNode && searchRunning; child = tree.NextSibling(child)) {
        const int state = tree.GetCheckState(child);
        if (state == Unchecked) {
            continue;
        }
        const std::intptr_t data = tree.Data(child);
        if (state == Checked && data == NODE_IS_PATH) {
            // The worker walks everything below the path; the node's own children are not visited.
            DispatchShareWorker(BuildNodePath(child));
        } else if (tree.FirstChild(child) == kNoNode) {
            SearchUnwalkedNode(child);
        } else if (!request_.shareMask.empty() && IsServerRecord(NetResourceAt(data))) {
            // Under a share mask the server's shares are enumerated afresh and filtered by it,
            // whichever of its share nodes are checked.
            SearchUnwalkedNode(child);
        } else {
            WalkCheckedNode(child);
        }
    }
}

void CSearchEngine::SearchUnwalkedNode(TreeNode node) {
    const std::intptr_t data = tree_->Data(node);
    if (data == NODE_IS_PATH) {
        DispatchShareWorker(BuildNodePath(node));
    } else if (const NetResource* resource = NetResourceAt(data)) {
        WalkNetwork(resource);
    }
}

void CSearchEngine::WalkNetwork(const NetResource* resource) {
    if (!searchRunning || !services_.network) {
        return;
    }
    if (IsServerRecord(resource)) {
        SearchServerShares(resource->remoteName);
        return;
    }
    ErrorCode error = kErrorSuccess;
    // The system's calls cannot be interrupted, but a Stop made while one runs takes effect as
    // soon as it returns: nothing more is asked of the network or of the user interface.
    const auto enumeration = services_.network->OpenEnum(resource, error);
    if (!enumeration || !searchRunning) {
        return;
    }
    // The count an enumeration call returns is also what the next call asks for.
    std::uint32_t count = kEnumAllEntries;
    std::vector<NetResource> entries;
    while (searchRunning) {
        entries.clear();
        // Anything but success, the end of the enumeration included, ends this level. So does
        // a call that yields nothing: asking again for its count of 0 would never end.
        if (enumeration->Next(count, kEnumBufferSize, entries) != kErrorSuccess || entries.empty()) {
            break;
        }
        if (readAhead_ != nullptr && !firstPiece_.empty()) {
            // The helpers may ask for these servers' share lists while the walk goes on.
            for (const NetResource& entry : entries) {
                if (entry.displayType == kDisplayTypeServer) {
                    readAhead_->ExpectShares(*services_.network, entry.remoteName, firstPiece_);
                }
            }
        }
        for (const NetResource& entry : entries) {
            if (!searchRunning) {
                return;
            }
            if (entry.displayType == kDisplayTypeServer) {
                SearchServerShares(entry.remoteName);
            } else if (entry.usage & kUsageContainer) {
                WalkNetwork(&entry);
            }
        }
    }
}

} // namespace vk
