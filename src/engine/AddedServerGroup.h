#pragma once
// The servers the user added by name (ServerList.h), shown in the tree as a group of their own,
// "Added servers", under the provider of the Windows network (or the first provider): a network
// node (data NODE_IS_GROUP) whose children are server nodes like those the network lists. So they
// are checked, browsed and searched as any server is. An entry of a share or folder adds its
// server with the nodes down to it, and only that share or folder checked below the server.
//
// The group appears once the tree has the provider (SetEntries and Add keep the entries until
// then) and goes with its last server. User interface thread; removal only while no search walks
// the tree.

#include "engine/AtomicPointer.h"
#include "engine/NetResourceTable.h"
#include "engine/ScopeTree.h"

#include <string>
#include <vector>

namespace vk {

constexpr const wchar_t* kTextAddedServers = L"Added servers";

class AddedServerGroup {
public:
    AddedServerGroup(const AtomicPointer<IScopeTree>& tree, NetResourceTable& table) : tree_(tree), table_(table) {}

    // The entries, in the order added: what the profile keeps.
    [[nodiscard]] const std::vector<std::wstring>& Entries() const { return entries_; }
    // Replaces the entries (the list restored at start) and shows them if the provider is there.
    void SetEntries(std::vector<std::wstring> entries);
    // Adds the entries that are new, and shows them; returns how many were new.
    std::size_t Add(const std::vector<std::wstring>& entries);
    // Whether node is the server node of an added server.
    [[nodiscard]] bool IsAddedServer(TreeNode node);
    // Removes an added server's node and every entry of that server; false (nothing done) for any
    // other node.
    bool Remove(TreeNode node);
    // The group's node; kNoNode while it is not in the tree.
    [[nodiscard]] TreeNode GroupNode();
    // Shows the entries under the provider, when the tree has one and they are not shown yet:
    // after the top level of the tree was filled.
    void Show();

private:
    [[nodiscard]] TreeNode Provider(IScopeTree& tree);
    [[nodiscard]] TreeNode Group(IScopeTree& tree, TreeNode provider);
    void ShowEntry(IScopeTree& tree, TreeNode group, const std::wstring& entry);

    const AtomicPointer<IScopeTree>& tree_;
    NetResourceTable& table_;
    std::vector<std::wstring> entries_;
};

} // namespace vk
