#include "engine/NetworkBrowser.h"

#include "engine/EngineTexts.h"
#include "engine/HitWriter.h"
#include "platform/SystemMessages.h"

#include <utility>

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

// A container's children, a buffer at a time. Anything but success, the end of the enumeration
// included, ends it (an error other than the end is the outcome's); so does a call that yields
// nothing (asking again for its count of 0 would never end).
BrowseOutcome EnumerateChildren(NetworkServices& network, const NetResource* parent) {
    BrowseOutcome outcome;
    const auto enumeration = network.OpenEnum(parent, outcome.error);
    if (!enumeration) {
        return outcome;
    }
    // The count an enumeration call returns is also what the next call asks for.
    std::uint32_t count = kEnumAllEntries;
    std::vector<NetResource> entries;
    for (;;) {
        entries.clear();
        const ErrorCode status = enumeration->Next(count, kEnumBufferSize, entries);
        if (status != kErrorSuccess || entries.empty()) {
            outcome.error = status == kErrorNoMoreItems ? kErrorSuccess : status;
            break;
        }
        for (NetResource& entry : entries) {
            // Share nodes come only from a server's share listing.
            if (entry.displayType != kDisplayTypeShare) {
                outcome.children.push_back(std::move(entry));
            }
        }
    }
    return outcome;
}

// A server's disk shares, page after page. A failure ends the listing; the pages before it stay.
BrowseOutcome EnumerateShares(NetworkServices& network, const std::wstring& server) {
    BrowseOutcome outcome;
    std::uint32_t resume = 0;
    std::uint32_t resumeBefore = 0;
    std::vector<ShareInfo> page;
    do {
        resumeBefore = resume;
        outcome.error = network.ShareEnum(server, page, resume);
        if (outcome.error != kErrorSuccess && outcome.error != kErrorMoreData) {
            break;
        }
        AppendDiskShareNames(page, outcome.shares);
    } while (AnotherSharePageFollows(outcome.error, page, resumeBefore, resume));
    return outcome;
}

BrowseOutcome EnumerateFolder(FileSystem& files, const std::wstring& path) {
    BrowseOutcome outcome;
    auto listing = files.FindFirst(path + L"\\*", ListingDetail::kNamesAndSizes, outcome.error);
    if (!listing) {
        return outcome;
    }
    outcome.error = kErrorSuccess;
    DirEntry entry;
    while (listing->Next(entry)) {
        if (entry.name != L"." && entry.name != L"..") {
            outcome.entries.push_back(entry);
        }
    }
    return outcome;
}

} // namespace

void NetworkBrowser::ExpandNetworkNode(TreeNode node, std::intptr_t index) {
    Browse(Identify(node, index));
}

ErrorCode NetworkBrowser::BrowseServerShares(TreeNode node, const std::wstring& server) {
    return Browse(ServerTarget(node, server));
}

void NetworkBrowser::BrowseFolder(TreeNode node) {
    Browse(FolderTarget(node));
}

ErrorCode NetworkBrowser::Browse(const std::optional<BrowseTarget>& target) {
    if (!target) {
        return kErrorSuccess;
    }
    BrowseOutcome outcome = Enumerate(*target, services_.network, *services_.fileSystem);
    const ErrorCode error = outcome.error;
    Apply(*target, std::move(outcome));
    return error;
}

std::optional<BrowseTarget> NetworkBrowser::Identify(TreeNode node, std::intptr_t index) {
    IScopeTree* tree = tree_;
    if (!tree) {
        return std::nullopt;
    }
    const NetResource* resource = nullptr;
    if (node != kNoNode) {
        if (tree->Data(node) == NODE_IS_PATH) {
            return FolderTarget(node);
        }
        resource = table_.At(index);
        if (resource && resource->displayType == kDisplayTypeServer) {
            return ServerTarget(node, tree->Text(node));
        }
        // Expansion adds nodes once: a node with children is not enumerated again (the added
        // servers' group is not the network's).
        if (!resource || HasListedChildren(*tree, node)) {
            return std::nullopt;
        }
    }
    if (!services_.network) {
        return std::nullopt;
    }
    BrowseTarget target{BrowseTarget::Kind::kContainer, node};
    if (resource) {
        target.resource = *resource;
    }
    return target;
}

std::optional<BrowseTarget> NetworkBrowser::ServerTarget(TreeNode node, const std::wstring& server) const {
    if (searchActive_ || !services_.network) {
        return std::nullopt;
    }
    return BrowseTarget{BrowseTarget::Kind::kServer, node, std::nullopt, server};
}

std::optional<BrowseTarget> NetworkBrowser::FolderTarget(TreeNode node) const {
    if (searchActive_) {
        return std::nullopt;
    }
    return BrowseTarget{BrowseTarget::Kind::kFolder, node, std::nullopt, BuildNodePath(*tree_, node)};
}

BrowseOutcome NetworkBrowser::Enumerate(const BrowseTarget& target, NetworkServices* network, FileSystem& files) {
    switch (target.kind) {
    case BrowseTarget::Kind::kContainer:
        return network ? EnumerateChildren(*network, target.resource ? &*target.resource : nullptr)
                       : BrowseOutcome{kErrorNoNetwork};
    case BrowseTarget::Kind::kServer:
        return network ? EnumerateShares(*network, target.path) : BrowseOutcome{kErrorNoNetwork};
    case BrowseTarget::Kind::kFolder:
        return EnumerateFolder(files, target.path);
    }
    return {};
}

void NetworkBrowser::Apply(const BrowseTarget& target, BrowseOutcome outcome) {
    switch (target.kind) {
    case BrowseTarget::Kind::kContainer:
        ShowOutcome(target, outcome);
        AddChildren(target, std::move(outcome.children));
        if (target.node == kNoNode) {
            addedServers_.Show();
        }
        return;
    case BrowseTarget::Kind::kServer:
        // What was listed before a failure stays.
        ShowOutcome(target, outcome);
        ListShares(target, outcome.shares);
        return;
    case BrowseTarget::Kind::kFolder:
        if (outcome.error != kErrorSuccess) {
            // The list and the store keep their contents.
            if (IUserMessages* messages = services_.messages) {
                messages->ShowMessage(SystemErrorText(outcome.error), kProgramName);
            }
            return;
        }
        ListFolder(target, outcome.entries);
        return;
    }
}

void NetworkBrowser::ShowOutcome(const BrowseTarget& target, const BrowseOutcome& outcome) const {
    IStatusBar* status = services_.statusBar;
    if (!status) {
        return;
    }
    const bool failed = outcome.error != kErrorSuccess && outcome.error != kErrorMoreData;
    const bool provider = target.resource && target.resource->displayType == kDisplayTypeNetwork;
    std::wstring name = L"the network";
    if (target.kind == BrowseTarget::Kind::kServer) {
        name = target.path;
    } else if (target.resource) {
        name = target.resource->remoteName;
    }
    if (provider && outcome.children.empty()) {
        // Networks without the browse service list no computers, with or without an error.
        status->SetPaneText(kPaneMessage, name + kTextListsNoComputers);
    } else if (failed) {
        status->SetPaneText(kPaneMessage, kTextCannotRead + name + L": " + SystemErrorText(outcome.error));
    }
}

void NetworkBrowser::AddChildren(const BrowseTarget& target, std::vector<NetResource> children) {
    IScopeTree& tree = *tree_;
    for (NetResource& child : children) {
        NewTreeNode node;
        node.text = child.remoteName;
        node.image = node.selectedImage = ImageForDisplayType(child.displayType);
        node.hasChildren = true;
        node.checkState = target.node == kNoNode ? Checked : tree.GetCheckState(target.node);
        node.data = table_.Append(std::move(child));
        tree.InsertNode(target.node, node);
    }
}

void NetworkBrowser::ListShares(const BrowseTarget& target, const std::vector<std::wstring>& shares) {
    IScopeTree& tree = *tree_;
    IResultList& list = *services_.resultList;
    list.DeleteAllRows();
    store_.Clear();
    // A second listing refreshes the result list but adds no share node twice.
    const bool addToTree = tree.FirstChild(target.node) == kNoNode;
    const int folderImage = services_.iconIndex->IndexOfKey(L".");
    const std::wstring& server = target.path;
    int position = 0;
    for (const std::wstring& name : shares) {
        const int row = list.InsertRow(position, name, folderImage);
        list.SetColumnText(row, 2, server);
        const std::size_t index = store_.Append(server + L"\\" + name, 0);
        list.SetRowData(row, static_cast<std::intptr_t>(index));
        if (addToTree) {
            tree.InsertNode(target.node, {name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, true,
                                          tree.GetCheckState(target.node)});
        }
        ++position;
    }
}

void NetworkBrowser::ListFolder(const BrowseTarget& target, const std::vector<DirEntry>& entries) {
    IScopeTree& tree = *tree_;
    const bool addToTree = tree.FirstChild(target.node) == kNoNode;
    IResultList& list = *services_.resultList;
    list.DeleteAllRows();
    store_.Clear();
    const std::wstring prefix = target.path + L"\\";
    int position = 0;
    for (const DirEntry& entry : entries) {
        const std::size_t index = store_.Append(prefix + entry.name, entry.size, entry.modified);
        if (entry.isDirectory) {
            const int row = list.InsertRow(position, entry.name, services_.iconIndex->IndexOfKey(L"."));
            list.SetRowData(row, static_cast<std::intptr_t>(index));
            list.SetColumnText(row, 2, prefix);
            if (addToTree) {
                tree.InsertNode(target.node, {entry.name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, false,
                                              tree.GetCheckState(target.node)});
            }
        } else {
            const int row = list.InsertRow(position, entry.name, services_.iconIndex->IconIndexForFile(entry.name));
            list.SetRowData(row, static_cast<std::intptr_t>(index));
            list.SetColumnText(row, 1, SizeText(entry.size));
            list.SetColumnText(row, 2, prefix);
        }
        ++position;
    }
}

} // namespace vk
