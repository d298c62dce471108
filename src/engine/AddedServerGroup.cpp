#include "engine/AddedServerGroup.h"

#include "engine/ServerList.h"
#include "platform/UncPath.h"
#include "platform/WildcardName.h"

#include <algorithm>

namespace vk {
namespace {

constexpr const wchar_t* kWindowsNetwork = L"Microsoft Windows Network";

TreeNode ChildByText(IScopeTree& tree, TreeNode parent, std::wstring_view text) {
    for (TreeNode child = tree.FirstChild(parent); child != kNoNode; child = tree.NextSibling(child)) {
        if (EqualNamesNoCase(tree.Text(child), text)) {
            return child;
        }
    }
    return kNoNode;
}

} // namespace

void AddedServerGroup::SetEntries(std::vector<std::wstring> entries) {
    entries_.clear();
    Add(entries);
}

std::size_t AddedServerGroup::Add(const std::vector<std::wstring>& entries) {
    const std::size_t first = entries_.size();
    const std::size_t added = MergeServerEntries(entries_, entries);
    IScopeTree* tree = tree_;
    if (added == 0 || !tree) {
        return added;
    }
    const TreeNode provider = Provider(*tree);
    if (provider == kNoNode) {
        return added;
    }
    const TreeNode group = Group(*tree, provider);
    for (std::size_t i = first; i < entries_.size(); ++i) {
        ShowEntry(*tree, group, entries_[i]);
    }
    return added;
}

void AddedServerGroup::Show() {
    IScopeTree* tree = tree_;
    if (!tree || entries_.empty()) {
        return;
    }
    const TreeNode provider = Provider(*tree);
    if (provider == kNoNode || GroupNode() != kNoNode) {
        return;
    }
    const TreeNode group = Group(*tree, provider);
    for (const std::wstring& entry : entries_) {
        ShowEntry(*tree, group, entry);
    }
}

bool AddedServerGroup::IsAddedServer(TreeNode node) {
    IScopeTree* tree = tree_;
    if (!tree || node == kNoNode) {
        return false;
    }
    const TreeNode parent = tree->Parent(node);
    return parent != kNoNode && tree->Data(parent) == NODE_IS_GROUP;
}

bool AddedServerGroup::Remove(TreeNode node) {
    if (!IsAddedServer(node)) {
        return false;
    }
    IScopeTree& tree = *tree_;
    const std::wstring server = tree.Text(node);
    std::erase_if(entries_,
                  [&server](const std::wstring& entry) { return EqualNamesNoCase(ServerOfEntry(entry), server); });
    const TreeNode group = tree.Parent(node);
    tree.DeleteNode(node);
    if (tree.FirstChild(group) == kNoNode) {
        const TreeNode provider = tree.Parent(group);
        tree.DeleteNode(group);
        BringAncestorsInLine(tree, tree.FirstChild(provider) != kNoNode ? tree.FirstChild(provider) : provider);
    } else {
        BringAncestorsInLine(tree, tree.FirstChild(group));
    }
    return true;
}

TreeNode AddedServerGroup::GroupNode() {
    IScopeTree* tree = tree_;
    if (!tree) {
        return kNoNode;
    }
    const TreeNode provider = Provider(*tree);
    const TreeNode group = provider == kNoNode ? kNoNode : ChildByText(*tree, provider, kTextAddedServers);
    return group != kNoNode && tree->Data(group) == NODE_IS_GROUP ? group : kNoNode;
}

TreeNode AddedServerGroup::Provider(IScopeTree& tree) {
    TreeNode first = kNoNode;
    for (TreeNode node = tree.FirstChild(kNoNode); node != kNoNode; node = tree.NextSibling(node)) {
        const NetResource* record = table_.At(tree.Data(node));
        if (!record || record->displayType != kDisplayTypeNetwork) {
            continue;
        }
        if (EqualNamesNoCase(record->remoteName, kWindowsNetwork)) {
            return node;
        }
        if (first == kNoNode) {
            first = node;
        }
    }
    return first;
}

TreeNode AddedServerGroup::Group(IScopeTree& tree, TreeNode provider) {
    if (const TreeNode group = GroupNode(); group != kNoNode) {
        return group;
    }
    return tree.InsertNode(
        provider, {kTextAddedServers, NODE_IS_GROUP, kImageDomain, kImageDomain, true, tree.GetCheckState(provider)});
}

void AddedServerGroup::ShowEntry(IScopeTree& tree, TreeNode group, const std::wstring& entry) {
    UncPath path;
    if (group == kNoNode || !ParseUncPath(entry, path)) {
        return;
    }
    const std::wstring serverName = L"\\\\" + std::wstring(path.server);
    TreeNode server = ChildByText(tree, group, serverName);
    if (server == kNoNode) {
        NetResource record;
        record.displayType = kDisplayTypeServer;
        record.usage = kUsageContainer;
        record.remoteName = serverName;
        // A server is searched whole once added, a share or folder alone below its server.
        const int state = path.components.empty() ? Checked : Unchecked;
        server = tree.InsertNode(
            group, {serverName, table_.Append(std::move(record)), kImageServer, kImageServer, true, state});
    }
    // A share or folder: the nodes down to it, only it checked below the server.
    TreeNode node = server;
    for (std::size_t i = 0; i < path.components.size(); ++i) {
        const bool last = i + 1 == path.components.size();
        TreeNode child = ChildByText(tree, node, path.components[i]);
        if (child == kNoNode) {
            child = tree.InsertNode(node, {std::wstring(path.components[i]), NODE_IS_PATH, kImageFolder,
                                           kImageOpenFolder, i == 0, last ? Checked : Unchecked});
        } else if (last) {
            tree.SetCheckState(child, Checked);
        }
        node = child;
    }
    BringAncestorsInLine(tree, node);
    // A folder below its share: the nodes between stay partly checked even while the folder is
    // their only child, or the search would walk the whole share around it.
    if (path.components.size() > 1) {
        for (TreeNode between = tree.Parent(node); between != server; between = tree.Parent(between)) {
            tree.SetCheckState(between, PartlyChecked);
        }
        BringAncestorsInLine(tree, tree.FirstChild(server));
    }
}

} // namespace vk
