#include "engine/NetworkBrowser.h"

#include "engine/BrowseJobs.h"
#include "engine/EngineTexts.h"
#include "engine/HitWriter.h"
#include "platform/SystemMessages.h"
#include "platform/WildcardName.h"

#include <set>
#include <utility>

namespace vk {
namespace {

// The node's name in status texts.
std::wstring TargetName(const BrowseTarget& target) {
    if (target.kind != BrowseTarget::Kind::kContainer) {
        return target.path;
    }
    return target.resource ? target.resource->remoteName : L"the network";
}

// The names of a node's children. A listing adds the nodes it finds missing: a server or share added
// by name has the share or folder typed below it, and no other yet.
struct NameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return CompareNamesNoCase(a, b) < 0; }
};
using NameSet = std::set<std::wstring, NameLess>;

NameSet ChildNames(IScopeTree& tree, TreeNode node) {
    NameSet names;
    for (TreeNode child = tree.FirstChild(node); child != kNoNode; child = tree.NextSibling(child)) {
        names.insert(tree.Text(child));
    }
    return names;
}

// The mark of a node a listing adds. Below a node without children it is the node's; beside
// children that are there already (the share or folder added by name, checked alone) it is
// unchecked: what was checked below the node stays what is searched.
int NewChildState(IScopeTree& tree, TreeNode parent, const NameSet& inTree) {
    return inTree.empty() && tree.GetCheckState(parent) == Checked ? Checked : Unchecked;
}

// After a listing added nodes beside others, the ancestors show the mix.
void BringInLine(IScopeTree& tree, TreeNode added, const NameSet& inTree) {
    if (added != kNoNode && !inTree.empty()) {
        BringAncestorsInLine(tree, added);
    }
}

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
BrowseOutcome EnumerateChildren(NetworkServices& network, const NetResource* parent, const std::atomic<bool>& stop) {
    BrowseOutcome outcome;
    const auto enumeration = network.OpenEnum(parent, outcome.error);
    if (!enumeration) {
        return outcome;
    }
    // The count an enumeration call returns is also what the next call asks for.
    std::uint32_t count = kEnumAllEntries;
    std::vector<NetResource> entries;
    while (!stop) {
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
BrowseOutcome EnumerateShares(NetworkServices& network, const std::wstring& server, const std::atomic<bool>& stop) {
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
    } while (!stop && AnotherSharePageFollows(outcome.error, page, resumeBefore, resume));
    return outcome;
}

BrowseOutcome EnumerateFolder(FileSystem& files, const std::wstring& path, const std::atomic<bool>& stop) {
    BrowseOutcome outcome;
    auto listing = files.FindFirst(path + L"\\*", ListingDetail::kNamesAndSizes, outcome.error);
    if (!listing) {
        return outcome;
    }
    outcome.error = kErrorSuccess;
    DirEntry entry;
    while (!stop && listing->Next(entry)) {
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
    if (jobs_.Enabled()) {
        // A node that is being read already starts nothing.
        // The first fill leaves the buttons and the status bar as they are: a search walks the
        // network live below what the tree does not have yet.
        if (jobs_.Start(*target, services_.network, *services_.fileSystem) && target->node != kNoNode) {
            TakeButtons();
            SetStatus(kTextReading + TargetName(*target) + L"...");
        }
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

BrowseOutcome NetworkBrowser::Enumerate(const BrowseTarget& target, NetworkServices* network, FileSystem& files,
                                        const std::atomic<bool>* stop) {
    static const std::atomic<bool> kNeverStopped{false};
    const std::atomic<bool>& stopped = stop ? *stop : kNeverStopped;
    switch (target.kind) {
    case BrowseTarget::Kind::kContainer:
        return network ? EnumerateChildren(*network, target.resource ? &*target.resource : nullptr, stopped)
                       : BrowseOutcome{kErrorNoNetwork};
    case BrowseTarget::Kind::kServer:
        return network ? EnumerateShares(*network, target.path, stopped) : BrowseOutcome{kErrorNoNetwork};
    case BrowseTarget::Kind::kFolder:
        return EnumerateFolder(files, target.path, stopped);
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

std::vector<TreeNode> NetworkBrowser::ApplyFinished() {
    std::vector<TreeNode> applied;
    for (BrowseJobs::Finished& done : jobs_.TakeFinished()) {
        if (!tree_ || (done.target.kind != BrowseTarget::Kind::kContainer && searchActive_)) {
            continue;
        }
        if (!searchActive_ && done.target.node != kNoNode) {
            // "Reading NODE..." is over; a failure says so again below.
            SetStatus(L"");
        }
        Apply(done.target, std::move(done.outcome));
        applied.push_back(done.target.node);
    }
    if (!jobs_.AnyReading()) {
        ReleaseButtons();
    }
    return applied;
}

bool NetworkBrowser::StopBrowsing() {
    const std::vector<BrowseTarget> abandoned = jobs_.StopAll();
    if (!abandoned.empty()) {
        std::wstring names;
        for (const BrowseTarget& target : abandoned) {
            names += (names.empty() ? L"" : L", ") + TargetName(target);
        }
        SetStatus(kTextStoppedReading + names);
    }
    ReleaseButtons();
    return !abandoned.empty();
}

void NetworkBrowser::TakeButtons() {
    if (buttonsTaken_ || searchActive_) {
        return;
    }
    if (ISearchForm* form = services_.searchForm) {
        form->SetSearchButtons(true);
        buttonsTaken_ = true;
    }
}

void NetworkBrowser::ReleaseButtons() {
    if (!buttonsTaken_) {
        return;
    }
    buttonsTaken_ = false;
    ISearchForm* form = services_.searchForm;
    if (form && !searchActive_) {
        form->SetSearchButtons(false);
    }
}

void NetworkBrowser::SetStatus(const std::wstring& text) const {
    if (IStatusBar* status = services_.statusBar) {
        status->SetPaneText(kPaneMessage, text);
    }
}

void NetworkBrowser::ShowOutcome(const BrowseTarget& target, const BrowseOutcome& outcome) const {
    const bool failed = outcome.error != kErrorSuccess && outcome.error != kErrorMoreData;
    const bool provider = target.resource && target.resource->displayType == kDisplayTypeNetwork;
    const std::wstring name = TargetName(target);
    if (provider && outcome.children.empty()) {
        // Networks without the browse service list no computers, with or without an error.
        SetStatus(name + kTextListsNoComputers);
    } else if (failed) {
        SetStatus(kTextCannotRead + name + L": " + SystemErrorText(outcome.error));
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
    const NameSet inTree = ChildNames(tree, target.node);
    const int state = NewChildState(tree, target.node, inTree);
    TreeNode added = kNoNode;
    const int folderImage = services_.iconIndex->IndexOfKey(L".");
    const std::wstring& server = target.path;
    // The rows go in as one batch: the window's list takes them in one step.
    std::vector<NewRow> rows;
    rows.reserve(shares.size());
    for (const std::wstring& name : shares) {
        const std::size_t index = store_.Append(server + L"\\" + name, 0);
        rows.push_back({name, folderImage, {}, server, static_cast<std::intptr_t>(index)});
        if (!inTree.contains(name)) {
            added = tree.InsertNode(target.node, {name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, true, state});
        }
    }
    list.InsertRows(0, rows);
    BringInLine(tree, added, inTree);
}

void NetworkBrowser::ListFolder(const BrowseTarget& target, const std::vector<DirEntry>& entries) {
    IScopeTree& tree = *tree_;
    const NameSet inTree = ChildNames(tree, target.node);
    const int state = NewChildState(tree, target.node, inTree);
    TreeNode added = kNoNode;
    IResultList& list = *services_.resultList;
    list.DeleteAllRows();
    store_.Clear();
    const std::wstring prefix = target.path + L"\\";
    const int folderImage = services_.iconIndex->IndexOfKey(L".");
    // A row holds views of its texts: the size texts live here until the batch is in, reserved up
    // front so that none moves.
    std::vector<std::wstring> sizeTexts;
    sizeTexts.reserve(entries.size());
    std::vector<NewRow> rows;
    rows.reserve(entries.size());
    for (const DirEntry& entry : entries) {
        const std::size_t index = store_.Append(prefix + entry.name, entry.size, entry.modified);
        const auto data = static_cast<std::intptr_t>(index);
        if (entry.isDirectory) {
            rows.push_back({entry.name, folderImage, {}, prefix, data});
            if (!inTree.contains(entry.name)) {
                added = tree.InsertNode(target.node,
                                        {entry.name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, false, state});
            }
        } else {
            const std::wstring& sizeText = sizeTexts.emplace_back(SizeText(entry.size));
            rows.push_back({entry.name, services_.iconIndex->IconIndexForFile(entry.name), sizeText, prefix, data});
        }
    }
    list.InsertRows(0, rows);
    BringInLine(tree, added, inTree);
}

} // namespace vk
