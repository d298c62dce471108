#include "network/CheckStateLogic.h"

namespace vk {
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

void SetBranchState(IScopeTree& tree, TreeNode node, int state) {
    for (TreeNode child = tree.FirstChild(node); child != kNoNode; child = tree.NextSibling(child)) {
        if (tree.GetCheckState(child) != state) {
            tree.SetCheckState(child, state);
            SetBranchState(tree, child, state);
        }
    }
}

void ToggleCheckState(IScopeTree& tree, TreeNode node) {
    if (node == kNoNode) {
        return;
    }
    const int state = tree.GetCheckState(node) == Unchecked ? Checked : Unchecked;
    tree.SetCheckState(node, state);
    SetBranchState(tree, node, state);
    for (TreeNode ancestor = tree.Parent(node); ancestor != kNoNode; ancestor = tree.Parent(ancestor)) {
        tree.SetCheckState(ancestor, StateFromChildren(tree, ancestor));
    }
}

int InitialCheckState(IScopeTree& tree, TreeNode parent) {
    return parent == kNoNode ? static_cast<int>(Checked) : tree.GetCheckState(parent);
}

} // namespace vk
