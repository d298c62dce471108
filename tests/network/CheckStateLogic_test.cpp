#include "network/CheckStateLogic.h"

#include "network/MemoryScopeTree.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace vk {
namespace {

// Adds nodes the way browsing does: each new node starts with its parent's state.
TreeNode Add(MemoryScopeTree& tree, TreeNode parent, const wchar_t* text) {
    NewTreeNode node;
    node.text = text;
    node.checkState = InitialCheckState(tree, parent);
    return tree.InsertNode(parent, node);
}

// Counts the check marks written, to show which nodes a branch update visits.
class CountingTree final : public IScopeTree {
public:
    explicit CountingTree(MemoryScopeTree& tree) : tree_(tree) {}
    TreeNode FirstChild(TreeNode node) override { return tree_.FirstChild(node); }
    TreeNode NextSibling(TreeNode node) override { return tree_.NextSibling(node); }
    TreeNode Parent(TreeNode node) override { return tree_.Parent(node); }
    std::wstring Text(TreeNode node) override { return tree_.Text(node); }
    std::intptr_t Data(TreeNode node) override { return tree_.Data(node); }
    int GetCheckState(TreeNode node) override { return tree_.GetCheckState(node); }
    void SetCheckState(TreeNode node, int state) override {
        ++writes;
        tree_.SetCheckState(node, state);
    }
    TreeNode InsertNode(TreeNode parent, const NewTreeNode& node) override { return tree_.InsertNode(parent, node); }
    void DeleteNode(TreeNode node) override { tree_.DeleteNode(node); }

    int writes = 0;

private:
    MemoryScopeTree& tree_;
};

TEST(CheckStateLogic, NewNodesTakeTheirParentsStateAtTheTimeTheyAreAdded) {
    MemoryScopeTree tree;
    EXPECT_EQ(InitialCheckState(tree, kNoNode), Checked);
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode other = Add(tree, kNoNode, L"Other");
    const TreeNode alpha = Add(tree, net, L"\\\\ALPHA");
    ToggleCheckState(tree, other);
    const TreeNode beta = Add(tree, other, L"\\\\BETA");
    ToggleCheckState(tree, alpha);
    const TreeNode share = Add(tree, alpha, L"share");
    EXPECT_EQ(tree.Dump(), L"[ ] Network\n"
                           L"  [ ] \\\\ALPHA\n"
                           L"    [ ] share\n"
                           L"[ ] Other\n"
                           L"  [ ] \\\\BETA\n");

    // A later click on the parent reaches nodes added before it.
    ToggleCheckState(tree, net);
    EXPECT_EQ(tree.GetCheckState(share), Checked);
    EXPECT_EQ(tree.GetCheckState(beta), Unchecked);
    // A top-level node added later starts Checked whatever the others are.
    ToggleCheckState(tree, net);
    EXPECT_EQ(tree.GetCheckState(Add(tree, kNoNode, L"Late")), Checked);
}

TEST(CheckStateLogic, UncheckingBothChildrenOfACheckedNodeMakesItPartlyThenUnchecked) {
    MemoryScopeTree tree;
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode domain = Add(tree, net, L"WORKGROUP");
    const TreeNode alpha = Add(tree, domain, L"\\\\ALPHA");
    const TreeNode beta = Add(tree, domain, L"\\\\BETA");

    ToggleCheckState(tree, alpha);
    EXPECT_EQ(tree.Dump(), L"[~] Network\n"
                           L"  [~] WORKGROUP\n"
                           L"    [ ] \\\\ALPHA\n"
                           L"    [x] \\\\BETA\n");
    ToggleCheckState(tree, beta);
    EXPECT_EQ(tree.Dump(), L"[ ] Network\n"
                           L"  [ ] WORKGROUP\n"
                           L"    [ ] \\\\ALPHA\n"
                           L"    [ ] \\\\BETA\n");
    ToggleCheckState(tree, alpha);
    EXPECT_EQ(tree.GetCheckState(domain), PartlyChecked);
    ToggleCheckState(tree, beta);
    EXPECT_EQ(tree.Dump(), L"[x] Network\n"
                           L"  [x] WORKGROUP\n"
                           L"    [x] \\\\ALPHA\n"
                           L"    [x] \\\\BETA\n");
}

TEST(CheckStateLogic, CheckingOneLeafMakesAnOnlyChildParentAndItsParentPartlyChecked) {
    MemoryScopeTree tree;
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode domain = Add(tree, net, L"WORKGROUP");
    const TreeNode server = Add(tree, domain, L"\\\\ALPHA");
    ToggleCheckState(tree, net);
    const TreeNode c = Add(tree, server, L"C");
    const TreeNode d = Add(tree, server, L"D");
    const TreeNode e = Add(tree, server, L"E");

    ToggleCheckState(tree, d);
    EXPECT_EQ(tree.Dump(), L"[~] Network\n"
                           L"  [~] WORKGROUP\n"
                           L"    [~] \\\\ALPHA\n"
                           L"      [ ] C\n"
                           L"      [x] D\n"
                           L"      [ ] E\n");
    ToggleCheckState(tree, c);
    EXPECT_EQ(tree.GetCheckState(domain), PartlyChecked);
    ToggleCheckState(tree, e);
    EXPECT_EQ(tree.GetCheckState(server), Checked);
    EXPECT_EQ(tree.GetCheckState(domain), Checked);
    EXPECT_EQ(tree.GetCheckState(net), Checked);
}

TEST(CheckStateLogic, ClickingAPartlyCheckedNodeUnchecksItsWholeBranch) {
    MemoryScopeTree tree;
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode domain = Add(tree, net, L"WORKGROUP");
    const TreeNode alpha = Add(tree, domain, L"\\\\ALPHA");
    Add(tree, domain, L"\\\\BETA");
    Add(tree, alpha, L"share");
    const TreeNode other = Add(tree, kNoNode, L"Other");
    Add(tree, other, L"\\\\GAMMA");
    ToggleCheckState(tree, Add(tree, alpha, L"admin"));
    ASSERT_EQ(tree.GetCheckState(domain), PartlyChecked);

    ToggleCheckState(tree, domain);
    EXPECT_EQ(tree.Dump(), L"[ ] Network\n"
                           L"  [ ] WORKGROUP\n"
                           L"    [ ] \\\\ALPHA\n"
                           L"      [ ] share\n"
                           L"      [ ] admin\n"
                           L"    [ ] \\\\BETA\n"
                           L"[x] Other\n"
                           L"  [x] \\\\GAMMA\n");
}

TEST(CheckStateLogic, ATopLevelNodeSetsItsBranchAndLeavesTheOtherTopLevelNodes) {
    MemoryScopeTree tree;
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode server = Add(tree, net, L"\\\\ALPHA");
    Add(tree, server, L"share");
    const TreeNode other = Add(tree, kNoNode, L"Other");

    ToggleCheckState(tree, net);
    EXPECT_EQ(tree.Dump(), L"[ ] Network\n"
                           L"  [ ] \\\\ALPHA\n"
                           L"    [ ] share\n"
                           L"[x] Other\n");
    ToggleCheckState(tree, net);
    EXPECT_EQ(tree.Dump(), L"[x] Network\n"
                           L"  [x] \\\\ALPHA\n"
                           L"    [x] share\n"
                           L"[x] Other\n");
    ToggleCheckState(tree, other);
    EXPECT_EQ(tree.GetCheckState(other), Unchecked);
    EXPECT_EQ(tree.GetCheckState(net), Checked);
}

TEST(CheckStateLogic, SetBranchStateSetsTheDescendantsButNotTheNodeAndSkipsSettledChildren) {
    MemoryScopeTree tree;
    const TreeNode net = Add(tree, kNoNode, L"Network");
    const TreeNode alpha = Add(tree, net, L"\\\\ALPHA");
    Add(tree, alpha, L"a");
    Add(tree, alpha, L"b");
    const TreeNode beta = Add(tree, net, L"\\\\BETA");
    Add(tree, beta, L"c");
    ToggleCheckState(tree, beta);
    ASSERT_EQ(tree.GetCheckState(net), PartlyChecked);

    CountingTree counting(tree);
    SetBranchState(counting, net, Unchecked);
    EXPECT_EQ(tree.Dump(), L"[~] Network\n"
                           L"  [ ] \\\\ALPHA\n"
                           L"    [ ] a\n"
                           L"    [ ] b\n"
                           L"  [ ] \\\\BETA\n"
                           L"    [ ] c\n");
    EXPECT_EQ(counting.writes, 3); // ALPHA, a and b; BETA's branch was already unchecked

    counting.writes = 0;
    SetBranchState(counting, beta, Unchecked);
    SetBranchState(counting, TreeNode{999}, Checked);
    EXPECT_EQ(counting.writes, 0);
}

// Clicks and on-demand expansion in any order keep the marks consistent: a Checked node has only
// Checked nodes below it, an Unchecked node only Unchecked ones, a PartlyChecked node both. A
// click changes only the clicked branch and its ancestors.
TEST(CheckStateLogic, RandomClicksAndExpansionsKeepEveryBranchConsistent) {
    MemoryScopeTree tree;
    std::mt19937 random(20240611);
    for (int top = 0; top < 3; ++top) {
        Add(tree, kNoNode, L"top");
    }
    for (int step = 0; step < 1000; ++step) {
        const TreeNode node = static_cast<TreeNode>(random() % tree.NodeCount()) + 1;
        if (random() % 3 == 0) {
            // Browsing adds children only to a node that has none yet.
            if (tree.FirstChild(node) == kNoNode && tree.NodeCount() < 200) {
                for (unsigned i = 0, n = 1 + random() % 4; i < n; ++i) {
                    Add(tree, node, L"n");
                }
            }
        } else {
            // The clicked branch and the ancestors may change; nothing else may.
            std::set<TreeNode> mayChange;
            for (TreeNode up = node; up != kNoNode; up = tree.Parent(up)) {
                mayChange.insert(up);
            }
            std::vector<TreeNode> pending{node};
            while (!pending.empty()) {
                const TreeNode each = pending.back();
                pending.pop_back();
                mayChange.insert(each);
                for (TreeNode child = tree.FirstChild(each); child != kNoNode; child = tree.NextSibling(child)) {
                    pending.push_back(child);
                }
            }
            std::vector<int> old;
            for (TreeNode each = 1; each <= static_cast<TreeNode>(tree.NodeCount()); ++each) {
                old.push_back(tree.GetCheckState(each));
            }
            const int target = tree.GetCheckState(node) == Unchecked ? Checked : Unchecked;
            ToggleCheckState(tree, node);
            ASSERT_EQ(tree.GetCheckState(node), target) << "step " << step;
            for (TreeNode each = 1; each <= static_cast<TreeNode>(old.size()); ++each) {
                if (!mayChange.contains(each)) {
                    ASSERT_EQ(tree.GetCheckState(each), old[static_cast<std::size_t>(each) - 1])
                        << "step " << step << "\n"
                        << tree.Dump();
                }
            }
        }
        // Each node against its children: by induction that covers whole branches.
        for (TreeNode each = 1; each <= static_cast<TreeNode>(tree.NodeCount()); ++each) {
            bool allChecked = true;
            bool allUnchecked = true;
            for (TreeNode child = tree.FirstChild(each); child != kNoNode; child = tree.NextSibling(child)) {
                allChecked = allChecked && tree.GetCheckState(child) == Checked;
                allUnchecked = allUnchecked && tree.GetCheckState(child) == Unchecked;
            }
            const int state = tree.GetCheckState(each);
            const bool consistent = (state == Checked && allChecked) || (state == Unchecked && allUnchecked) ||
                                    (state == PartlyChecked && !allChecked && !allUnchecked);
            ASSERT_TRUE(consistent) << "step " << step << ", node " << each << "\n" << tree.Dump();
        }
    }
    EXPECT_GT(tree.NodeCount(), 100u);
}

} // namespace
} // namespace vk
