// The network side of a search and of browsing: the walk over the checked part of the tree, the
// live enumeration below unexpanded nodes, and the expansion of tree nodes.

#include "engine/SearchEngine.h"

namespace vk {
namespace {

int ImageForDisplayType(std::uint32_t displayType) {
    switch (displayType) {
    case kDisplayTypeServer:
        return kImageServer;
    case kDisplayTypeDomain:
        return kImageDomain;
    default:
        return kImageNetwork;
    }
}

bool IsServerRecord(const NetResource* resource) {
    return resource && resource->displayType == kDisplayTypeServer;
}

} // namespace

const NetResource* CSearchEngine::NetResourceAt(std::intptr_t index) const {
    std::lock_guard lock(netTableLock_);
    if (index < 0 || static_cast<std::size_t>(index) >= NetResourceTable.size()) {
        return nullptr;
    }
    return NetResourceTable[static_cast<std::size_t>(index)];
}

std::size_t CSearchEngine::NetResourceCount() const {
    std::lock_guard lock(netTableLock_);
    return NetResourceTable.size();
}

void CSearchEngine::WalkCheckedNode(TreeNode node) {
    IScopeTree& tree = *tree_;
    if (node == currentTopLevel_ && tree.FirstChild(node) == kNoNode) {
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

void CSearchEngine::ExpandNetworkNode(TreeNode node, std::intptr_t index) {
    if (!tree_) {
        return;
    }
    IScopeTree& tree = *tree_;
    if (node != kNoNode) {
        if (tree.Data(node) == NODE_IS_PATH) {
            BrowseFolder(node);
            return;
        }
        const NetResource* resource = NetResourceAt(index);
        if (IsServerRecord(resource)) {
            (void)BrowseServerShares(node, tree.Text(node));
            return;
        }
        // Expansion adds nodes once: a node with children is not enumerated again.
        if (tree.FirstChild(node) != kNoNode || !resource) {
            return;
        }
    }
    if (!services_.network) {
        return;
    }
    const NetResource* parent = node == kNoNode ? nullptr : NetResourceAt(index);
    ErrorCode error = kErrorSuccess;
    const auto enumeration = services_.network->OpenEnum(parent, error);
    if (!enumeration) {
        return;
    }
    std::uint32_t count = kEnumAllEntries;
    std::vector<NetResource> entries;
    for (;;) {
        entries.clear();
        if (enumeration->Next(count, kEnumBufferSize, entries) != kErrorSuccess || entries.empty()) {
            break;
        }
        for (NetResource& entry : entries) {
            // Share nodes come only from a server's share listing.
            if (entry.displayType == kDisplayTypeShare) {
                continue;
            }
            NewTreeNode newNode;
            newNode.text = entry.remoteName;
            newNode.image = newNode.selectedImage = ImageForDisplayType(entry.displayType);
            newNode.hasChildren = true;
            newNode.checkState = node == kNoNode ? Checked : tree.GetCheckState(node);
            {
                std::lock_guard lock(netTableLock_);
                NetResourceTable.push_back(&netResources_.emplace_back(std::move(entry)));
                newNode.data = static_cast<std::intptr_t>(NetResourceTable.size() - 1);
            }
            tree.InsertNode(node, newNode);
        }
    }
}

} // namespace vk
