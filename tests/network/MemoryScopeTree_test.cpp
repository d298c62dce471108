#include "network/MemoryScopeTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vk {
namespace {

NewTreeNode Node(std::wstring text, int state = Checked) {
    NewTreeNode node;
    node.text = std::move(text);
    node.checkState = state;
    return node;
}

std::vector<std::wstring> ChildTexts(MemoryScopeTree& tree, TreeNode parent) {
    std::vector<std::wstring> texts;
    for (TreeNode child = tree.FirstChild(parent); child != kNoNode; child = tree.NextSibling(child)) {
        texts.push_back(tree.Text(child));
    }
    return texts;
}

TEST(MemoryScopeTree, AppendsEachNodeLastAmongItsSiblingsAndLinksItsParent) {
    MemoryScopeTree tree;
    EXPECT_EQ(tree.FirstChild(kNoNode), kNoNode);
    const TreeNode net = tree.InsertNode(kNoNode, Node(L"Microsoft Windows Network"));
    const TreeNode other = tree.InsertNode(kNoNode, Node(L"Web Client Network"));
    const TreeNode domain = tree.InsertNode(net, Node(L"WORKGROUP"));
    const TreeNode first = tree.InsertNode(domain, Node(L"\\\\ALPHA"));
    const TreeNode second = tree.InsertNode(domain, Node(L"\\\\BETA"));
    const TreeNode third = tree.InsertNode(domain, Node(L"\\\\GAMMA"));

    EXPECT_EQ(ChildTexts(tree, kNoNode),
              (std::vector<std::wstring>{L"Microsoft Windows Network", L"Web Client Network"}));
    EXPECT_EQ(ChildTexts(tree, domain), (std::vector<std::wstring>{L"\\\\ALPHA", L"\\\\BETA", L"\\\\GAMMA"}));
    EXPECT_EQ(tree.Parent(net), kNoNode);
    EXPECT_EQ(tree.Parent(domain), net);
    EXPECT_EQ(tree.Parent(first), domain);
    EXPECT_EQ(tree.Parent(third), domain);
    EXPECT_EQ(tree.NextSibling(second), third);
    EXPECT_EQ(tree.NextSibling(third), kNoNode);
    EXPECT_EQ(tree.FirstChild(other), kNoNode);
    EXPECT_EQ(tree.ChildCount(kNoNode), 2u);
    EXPECT_EQ(tree.ChildCount(domain), 3u);
    EXPECT_EQ(tree.ChildCount(third), 0u);
    EXPECT_EQ(tree.NodeCount(), 6u);
}

TEST(MemoryScopeTree, KeepsEveryFieldOfANewNode) {
    MemoryScopeTree tree;
    NewTreeNode share;
    share.text = L"public";
    share.data = NODE_IS_PATH;
    share.image = kImageFolder;
    share.selectedImage = kImageOpenFolder;
    share.hasChildren = true;
    share.checkState = PartlyChecked;
    const TreeNode node = tree.InsertNode(kNoNode, share);
    const TreeNode folder = tree.InsertNode(node, Node(L"docs", Unchecked));

    EXPECT_EQ(tree.Text(node), L"public");
    EXPECT_EQ(tree.Data(node), NODE_IS_PATH);
    EXPECT_EQ(tree.Image(node), kImageFolder);
    EXPECT_EQ(tree.SelectedImage(node), kImageOpenFolder);
    EXPECT_TRUE(tree.HasChildren(node));
    EXPECT_EQ(tree.GetCheckState(node), PartlyChecked);
    EXPECT_FALSE(tree.HasChildren(folder));
    EXPECT_EQ(tree.GetCheckState(folder), Unchecked);

    tree.SetCheckState(folder, Checked);
    EXPECT_EQ(tree.GetCheckState(folder), Checked);
    EXPECT_EQ(tree.GetCheckState(node), PartlyChecked);
}

TEST(MemoryScopeTree, HandlesStayValidWhileTheTreeGrows) {
    MemoryScopeTree tree;
    const TreeNode first = tree.InsertNode(kNoNode, Node(L"first"));
    const TreeNode child = tree.InsertNode(first, Node(L"child"));
    std::vector<TreeNode> handles{first, child};
    for (int i = 0; i < 1000; ++i) {
        handles.push_back(tree.InsertNode(i % 2 ? first : child, Node(L"n" + std::to_wstring(i))));
    }
    EXPECT_EQ(tree.Text(first), L"first");
    EXPECT_EQ(tree.Text(child), L"child");
    EXPECT_EQ(tree.Parent(child), first);
    EXPECT_EQ(tree.Text(handles.back()), L"n999");
    EXPECT_EQ(tree.ChildCount(first), 501u);
    EXPECT_EQ(tree.ChildCount(child), 500u);
    std::sort(handles.begin(), handles.end());
    EXPECT_GT(handles.front(), kNoNode);
    EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end());
}

TEST(MemoryScopeTree, AHandleThatNamesNoNodeReadsAsEmptyAndChangesNothing) {
    MemoryScopeTree tree;
    const TreeNode top = tree.InsertNode(kNoNode, Node(L"top"));
    for (const TreeNode bad : {TreeNode{2}, TreeNode{-1}, NODE_IS_PATH, TreeNode{1000}}) {
        EXPECT_EQ(tree.FirstChild(bad), kNoNode) << bad;
        EXPECT_EQ(tree.NextSibling(bad), kNoNode) << bad;
        EXPECT_EQ(tree.Parent(bad), kNoNode) << bad;
        EXPECT_EQ(tree.Text(bad), L"") << bad;
        EXPECT_EQ(tree.GetCheckState(bad), kNoCheckBox) << bad;
        EXPECT_EQ(tree.ChildCount(bad), 0u) << bad;
        EXPECT_FALSE(tree.HasChildren(bad)) << bad;
        tree.SetCheckState(bad, Unchecked);
        EXPECT_EQ(tree.InsertNode(bad, Node(L"lost")), kNoNode) << bad;
    }
    EXPECT_EQ(tree.NodeCount(), 1u);
    EXPECT_EQ(tree.GetCheckState(top), Checked);
    EXPECT_EQ(tree.FirstChild(top), kNoNode);
}

TEST(MemoryScopeTree, FindsAChildByTextWithoutRegardToCase) {
    MemoryScopeTree tree;
    const TreeNode server = tree.InsertNode(kNoNode, Node(L"\\\\Server"));
    const TreeNode share = tree.InsertNode(server, Node(L"Public"));
    const TreeNode umlaut = tree.InsertNode(server, Node(L"\u00c4rger"));
    const TreeNode folder = tree.InsertNode(share, Node(L"Docs"));
    const TreeNode again = tree.InsertNode(server, Node(L"PUBLIC"));

    EXPECT_EQ(tree.FindChildByText(kNoNode, L"\\\\SERVER"), server);
    EXPECT_EQ(tree.FindChildByText(server, L"public"), share); // the first of two that match
    EXPECT_NE(share, again);
    EXPECT_EQ(tree.FindChildByText(server, L"\u00c4RGER"), umlaut);
    EXPECT_EQ(tree.FindChildByText(server, L"\u00e4rger"), umlaut); // as names on a network compare
    EXPECT_EQ(tree.FindChildByText(server, L"Docs"), kNoNode);       // a grandchild
    EXPECT_EQ(tree.FindChildByText(share, L"docs"), folder);
    EXPECT_EQ(tree.FindChildByText(server, L"Publi"), kNoNode);
    EXPECT_EQ(tree.FindChildByText(server, L"Public "), kNoNode);
    EXPECT_EQ(tree.FindChildByText(server, L"Publi@"), kNoNode); // '@' is one below 'A'
    EXPECT_EQ(tree.FindChildByText(folder, L""), kNoNode);
    EXPECT_EQ(tree.FindChildByText(TreeNode{99}, L"Public"), kNoNode);
}

TEST(MemoryScopeTree, DumpIndentsEachLevelAndShowsTheCheckBoxes) {
    MemoryScopeTree tree;
    EXPECT_EQ(tree.Dump(), L"");
    const TreeNode net = tree.InsertNode(kNoNode, Node(L"Network", PartlyChecked));
    const TreeNode server = tree.InsertNode(net, Node(L"\\\\ALPHA", Checked));
    tree.InsertNode(server, Node(L"share", Checked));
    tree.InsertNode(net, Node(L"\\\\BETA", Unchecked));
    tree.InsertNode(kNoNode, Node(L"Other", kNoCheckBox));
    EXPECT_EQ(tree.Dump(), L"[~] Network\n"
                           L"  [x] \\\\ALPHA\n"
                           L"    [x] share\n"
                           L"  [ ] \\\\BETA\n"
                           L"Other\n");
}

TEST(MemoryScopeTree, ReadersSeeAConsistentTreeWhileAnotherThreadInserts) {
    MemoryScopeTree tree;
    const TreeNode root = tree.InsertNode(kNoNode, Node(L"root"));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        TreeNode parent = root;
        for (int i = 0; i < 2000; ++i) {
            const TreeNode added = tree.InsertNode(parent, Node(std::to_wstring(i)));
            if (i % 50 == 0) {
                parent = added;
            }
        }
        done = true;
    });
    std::size_t seen = 0;
    bool linksAgree = true;
    bool lastPass = false;
    while (!lastPass && linksAgree) {
        lastPass = done.load();
        seen = 0;
        std::vector<TreeNode> pending{root};
        while (!pending.empty()) {
            const TreeNode node = pending.back();
            pending.pop_back();
            ++seen;
            for (TreeNode child = tree.FirstChild(node); child != kNoNode; child = tree.NextSibling(child)) {
                linksAgree = linksAgree && tree.Parent(child) == node;
                pending.push_back(child);
            }
        }
    }
    writer.join();
    EXPECT_TRUE(linksAgree);
    EXPECT_EQ(seen, 2001u);
}

} // namespace
} // namespace vk
