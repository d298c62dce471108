#pragma once
// The network tree held in memory: what the console tool and the tests use in place of the
// tree-view control. Nodes are never removed, so a handle (the node's index + 1) stays valid for
// the tree's whole life. One lock guards every call: the engine's controller thread reads the
// tree while another thread may be adding nodes.

#include "engine/ScopeTree.h"

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class MemoryScopeTree final : public IScopeTree {
public:
    [[nodiscard]] TreeNode FirstChild(TreeNode node) override;
    [[nodiscard]] TreeNode NextSibling(TreeNode node) override;
    [[nodiscard]] TreeNode Parent(TreeNode node) override;
    [[nodiscard]] std::wstring Text(TreeNode node) override;
    [[nodiscard]] std::intptr_t Data(TreeNode node) override;
    [[nodiscard]] int GetCheckState(TreeNode node) override;
    // Ignored for a handle that names no node.
    void SetCheckState(TreeNode node, int state) override;
    // kNoNode when parent names no node (nothing is added).
    TreeNode InsertNode(TreeNode parent, const NewTreeNode& node) override;
    // Unlinks the node from its parent; its branch goes with it.
    void DeleteNode(TreeNode node) override;

    // 0 / false for a handle that names no node.
    [[nodiscard]] int Image(TreeNode node) const;
    [[nodiscard]] int SelectedImage(TreeNode node) const;
    [[nodiscard]] bool HasChildren(TreeNode node) const;
    // The number of child nodes; ChildCount(kNoNode) counts the top level.
    [[nodiscard]] std::size_t ChildCount(TreeNode node) const;
    [[nodiscard]] std::size_t NodeCount() const;

    // The first child of parent (kNoNode: the top level) whose text equals text without regard to
    // case, as names on a network are compared; kNoNode when there is none.
    [[nodiscard]] TreeNode FindChildByText(TreeNode parent, std::wstring_view text) const;

    // One line per node in tree order, indented by two spaces per level: the check box
    // ("[ ]" unchecked, "[x]" checked, "[~]" partly checked) and the text.
    [[nodiscard]] std::wstring Dump() const;

private:
    struct Node {
        std::wstring text;
        std::intptr_t data = 0;
        int image = 0;
        int selectedImage = 0;
        bool hasChildren = false;
        int checkState = 0;
        TreeNode parent = kNoNode;
        TreeNode firstChild = kNoNode;
        TreeNode lastChild = kNoNode;
        TreeNode nextSibling = kNoNode;
        std::size_t childCount = 0;
        bool removed = false;
    };

    // Callers hold lock_.
    [[nodiscard]] const Node* Find(TreeNode node) const;
    [[nodiscard]] Node* Find(TreeNode node);
    void DumpBranch(TreeNode first, int depth, std::wstring& out) const;

    mutable std::mutex lock_;
    std::vector<Node> nodes_;
    TreeNode firstTop_ = kNoNode;
    TreeNode lastTop_ = kNoNode;
    std::size_t topCount_ = 0;
};

} // namespace vk
