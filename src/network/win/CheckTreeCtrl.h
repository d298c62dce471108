#pragma once
// The network tree control: a tree view whose nodes carry three-state check marks (the state
// image: 1 Unchecked, 2 Checked, 3 PartlyChecked), and the tree the search engine reads and
// fills (IScopeTree). A node handle is the item's HTREEITEM.
//
// The engine's controller thread reads the tree during a search: every IScopeTree call is one
// synchronous message to the control, carried out by the user interface thread. So these calls
// touch nothing but the window handle, which is set before the engine gets the tree.
//
// The check boxes are the program's own state images, not the control's TVS_CHECKBOXES: that
// style brings a two-state list of the control's own, which Windows creates late and then sets
// every item back to "unchecked" with.
//
// Clicks: a left button press on a node's check box toggles the mark with propagation (the
// node's branch follows it, its ancestors are brought in line) and goes no further; the
// control's own check-box toggle knows neither the third state nor the branch. The space bar
// does the same for the selected node, for the same reason. Of its own notifications the control
// answers a click, a right click, an expansion about to happen (always allowed) and a request for
// display texts itself, with 0: the control's default handling goes on. A double-click goes to the
// tree pane.

#include "engine/ScopeTree.h"
#include "framework/Controls.h"

namespace vk {

class CCheckTreeCtrl final : public ui::TreeViewCtrl, public IScopeTree {
public:
    [[nodiscard]] static HTREEITEM Item(TreeNode node) { return reinterpret_cast<HTREEITEM>(node); }
    [[nodiscard]] static TreeNode Node(HTREEITEM item) { return reinterpret_cast<TreeNode>(item); }

    // IScopeTree, from any thread.
    [[nodiscard]] TreeNode FirstChild(TreeNode node) override;
    [[nodiscard]] TreeNode NextSibling(TreeNode node) override;
    [[nodiscard]] TreeNode Parent(TreeNode node) override;
    [[nodiscard]] std::wstring Text(TreeNode node) override;
    [[nodiscard]] std::intptr_t Data(TreeNode node) override;
    // The node's state image index, 0-3 (0 for no node).
    [[nodiscard]] int GetCheckState(TreeNode node) override;
    // Writes a state 1-3 into the node's state image bits.
    void SetCheckState(TreeNode node, int state) override;
    TreeNode InsertNode(TreeNode parent, const NewTreeNode& node) override;
    void DeleteNode(TreeNode node) override;

    // Gives every descendant of node the state (the node itself keeps its own).
    void SetBranchState(TreeNode node, int state);
    // What a click on node's check box does.
    void ToggleCheckState(TreeNode node);

protected:
    bool ProcessMessage(ui::Message& m) override;
    bool ReflectedMessage(ui::Message& m) override;

private:
    // A press of the left button at a point in client coordinates: true when it hit a check box
    // (and toggled it).
    bool PressedOnCheckBox(LPARAM point);
};

} // namespace vk
