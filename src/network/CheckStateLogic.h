#pragma once
// The three-state check marks of the network tree: what a click on a check box does, and the
// state a new node starts with. The tree-view control and the in-memory tree share this logic.
//
// The marks keep one rule: a Checked node has only Checked nodes below it, an Unchecked node only
// Unchecked ones, and a PartlyChecked node has both below it. A click sets the node's whole
// branch and then brings its ancestors back in line; a new node starts with its parent's state.

#include "engine/ScopeTree.h"

namespace vk {

// Gives every node below node the state. A child that already has the state is not descended
// into: by the rule above its branch has that state too.
void SetBranchState(IScopeTree& tree, TreeNode node, int state);

// A click on node's check box: an Unchecked node becomes Checked, any other Unchecked, each with
// its whole branch; then each ancestor, from the parent up to the top level, becomes Checked or
// Unchecked when all its children are, and PartlyChecked otherwise.
void ToggleCheckState(IScopeTree& tree, TreeNode node);

// The state a node added under parent starts with: the parent's, or Checked at the top level.
[[nodiscard]] int InitialCheckState(IScopeTree& tree, TreeNode parent);

} // namespace vk
