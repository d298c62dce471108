#include "engine/ScopeTree.h"

namespace vk {

std::wstring BuildNodePath(IScopeTree& tree, TreeNode node) {
    TreeNode parent = tree.Parent(node);
    std::wstring path = tree.Text(parent);
    // Up through the share and folder nodes to the first network node, normally the server,
    // whose text is its remote name.
    while (parent != kNoNode && tree.Data(parent) == NODE_IS_PATH) {
        parent = tree.Parent(parent);
        path = tree.Text(parent) + L"\\" + path;
    }
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) {
        path.push_back(L'\\');
    }
    return path + tree.Text(node);
}

namespace {

// Checked or Unchecked when all of node's children have that state, PartlyChecked otherwise.
int StateFromChildren(IScopeTree& tree, TreeNode node) {
    bool allChecked = true;
    bool allUnchecked = true;
    for (TreeNode child = tree.FirstChild(node); child != kNoNode; child = tree.NextSibling(child)) {
        const int state = tree.GetCheckState(child);
        allChecked = allChecked && state == Checked;
        allUnchecked = allUnchecked && state == Unchecked;
        if (!allChecked && !allUnchecked) {
            return PartlyChecked;
        }
    }
    return allUnchecked ? Unchecked : Checked;
}

} // namespace

void BringAncestorsInLine(IScopeTree& tree, TreeNode node) {
    for (TreeNode ancestor = tree.Parent(node); ancestor != kNoNode; ancestor = tree.Parent(ancestor)) {
        tree.SetCheckState(ancestor, StateFromChildren(tree, ancestor));
    }
}

bool HasListedChildren(IScopeTree& tree, TreeNode node) {
    for (TreeNode child = tree.FirstChild(node); child != kNoNode; child = tree.NextSibling(child)) {
        if (tree.Data(child) != NODE_IS_GROUP) {
            return true;
        }
    }
    return false;
}

} // namespace vk
