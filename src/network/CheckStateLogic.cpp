#include "network/CheckStateLogic.h"

namespace vk {

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
    BringAncestorsInLine(tree, node);
}

int InitialCheckState(IScopeTree& tree, TreeNode parent) {
    return parent == kNoNode ? static_cast<int>(Checked) : tree.GetCheckState(parent);
}

} // namespace vk
