// The network side of the engine: the walk over the checked tree and the live network, the share
// mask, and browsing servers, shares and folders.

#include "network/CheckStateLogic.h"
#include "platform/SystemMessages.h"
#include "support/EngineHarness.h"
#include "support/WatchedResultList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vk::testing {
namespace {

using Names = std::vector<std::wstring>;

// Net
//   DOM
//     \\ALPHA: pub, data, C$
//     \\BETA: docs
// Other
//   \\GAMMA: misc, ADMIN$
class NetworkWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.network.AddContainer(L"", L"Net", kDisplayTypeNetwork);
        h.network.AddContainer(L"Net", L"DOM", kDisplayTypeDomain);
        h.network.AddServer(L"DOM", L"\\\\ALPHA", {L"pub", L"data", L"C$"});
        h.network.AddServer(L"DOM", L"\\\\BETA", {L"docs"});
        h.network.AddContainer(L"", L"Other", kDisplayTypeNetwork);
        h.network.AddServer(L"Other", L"\\\\GAMMA", {L"misc", L"ADMIN$"});
        for (const auto* share : {L"\\\\ALPHA\\pub", L"\\\\ALPHA\\data", L"\\\\ALPHA\\C$", L"\\\\BETA\\docs",
                                  L"\\\\GAMMA\\misc", L"\\\\GAMMA\\ADMIN$"}) {
            h.files.AddFile(std::wstring(share) + L"\\f.txt", "x");
        }
        h.files.AddFile(L"\\\\ALPHA\\pub\\sub\\deep\\g.txt", "y");
        h.UseTree();
    }

    // Paths of the rows, sorted (workers of different shares interleave).
    Names HitPaths() {
        Names paths;
        for (const auto& row : h.list.Rows()) {
            paths.push_back(row.columns[2] + L"\\" + row.columns[0]);
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    TreeNode Node(std::initializer_list<const wchar_t*> path) {
        TreeNode node = kNoNode;
        for (const auto* text : path) {
            node = h.tree.FindChildByText(node, text);
        }
        return node;
    }

    EngineHarness h;
};

TEST_F(NetworkWalkTest, TheTopLevelIsEnumeratedCheckedAndASearchWalksTheWholeNetworkLive) {
    EXPECT_EQ(h.tree.Dump(), L"[x] Net\n[x] Other\n");
    EXPECT_EQ(h.tree.Image(Node({L"Net"})), kImageNetwork);
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    // Every share of every server, hidden ones included.
    EXPECT_EQ(HitPaths(), (Names{L"\\\\ALPHA\\C$\\f.txt", L"\\\\ALPHA\\data\\f.txt", L"\\\\ALPHA\\pub\\f.txt",
                                 L"\\\\BETA\\docs\\f.txt", L"\\\\GAMMA\\ADMIN$\\f.txt", L"\\\\GAMMA\\misc\\f.txt"}));
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST_F(NetworkWalkTest, AnUncheckedTopLevelNodeThatWasNeverExpandedIsStillWalkedWhole) {
    ToggleCheckState(h.tree, Node({L"Other"}));
    EXPECT_EQ(h.tree.GetCheckState(Node({L"Other"})), Unchecked);
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(HitPaths().size(), 6u);
}

TEST_F(NetworkWalkTest, UncheckedBranchesBelowTheTopAreLeftOut) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    EXPECT_EQ(h.tree.Dump(), L"[x] Net\n  [x] DOM\n    [x] \\\\ALPHA\n    [x] \\\\BETA\n[x] Other\n");
    h.Expand(Node({L"Other"}));
    ToggleCheckState(h.tree, Node({L"Net", L"DOM", L"\\\\ALPHA"}));
    ToggleCheckState(h.tree, Node({L"Other", L"\\\\GAMMA"}));
    EXPECT_EQ(h.tree.GetCheckState(Node({L"Net"})), PartlyChecked);
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(HitPaths(), (Names{L"\\\\BETA\\docs\\f.txt"}));
}

TEST_F(NetworkWalkTest, CheckedSharesOfAnExpandedServerAndTheShareMask) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha); // lists the shares and adds them as nodes
    ASSERT_EQ(h.tree.ChildCount(alpha), 3u);
    ToggleCheckState(h.tree, Node({L"Net", L"DOM", L"\\\\BETA"}));
    ToggleCheckState(h.tree, h.tree.FindChildByText(alpha, L"data"));
    ToggleCheckState(h.tree, h.tree.FindChildByText(alpha, L"C$"));
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(HitPaths(), (Names{L"\\\\ALPHA\\pub\\f.txt", L"\\\\GAMMA\\ADMIN$\\f.txt", L"\\\\GAMMA\\misc\\f.txt"}));

    // With a share mask the server is enumerated afresh, whichever share nodes are checked.
    h.engine.Request().shareMask = L"DATA";
    h.Run({});
    EXPECT_EQ(HitPaths(), (Names{L"\\\\ALPHA\\data\\f.txt"}));
}

TEST_F(NetworkWalkTest, ACheckedShareIsSearchedOnceAsAWholeEvenWithExpandedFolders) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha);
    const TreeNode pub = h.tree.FindChildByText(alpha, L"pub");
    h.Expand(pub);
    h.Expand(h.tree.FindChildByText(pub, L"sub"));
    EXPECT_EQ(h.engine.BuildNodePath(Node({L"Net", L"DOM", L"\\\\ALPHA", L"pub", L"sub", L"deep"})),
              L"\\\\ALPHA\\pub\\sub\\deep");
    h.engine.Request().fileMask = L"*.txt";
    h.Run({});
    const Names paths = HitPaths();
    EXPECT_EQ(std::count(paths.begin(), paths.end(), L"\\\\ALPHA\\pub\\sub\\deep\\g.txt"), 1);
    EXPECT_EQ(paths.size(), 7u);
}

TEST_F(NetworkWalkTest, AShareMaskWithoutAFileMaskListsMatchingSharesAsRows) {
    h.engine.Request().shareMask = L"*$";
    h.Run({});
    const auto rows = h.list.Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].columns, (std::array<std::wstring, 3>{L"C$", L"", L"\\\\ALPHA\\"}));
    EXPECT_EQ(rows[1].columns, (std::array<std::wstring, 3>{L"ADMIN$", L"", L"\\\\GAMMA\\"}));
    EXPECT_EQ(rows[0].image, h.icons.IndexOfKey(L"."));
    EXPECT_EQ(h.engine.Results().Path(static_cast<std::size_t>(rows[1].data)), L"\\\\GAMMA\\ADMIN$");
    EXPECT_TRUE(h.files.ListedDirectories().empty()); // no worker started

    // Without wildcards only the share of exactly that name qualifies, in any case.
    h.engine.Request().shareMask = L"PU";
    h.Run({});
    EXPECT_TRUE(h.list.Rows().empty());
    h.engine.Request().shareMask = L"PUB";
    h.Run({});
    EXPECT_EQ(h.Names(), (Names{L"pub"}));
}

TEST_F(NetworkWalkTest, UnreachableServersAreSkippedSilently) {
    h.network.MakeUnreachable(L"\\\\ALPHA");
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(HitPaths().size(), 3u);
    EXPECT_TRUE(h.messages.Shown().empty());
}

TEST_F(NetworkWalkTest, StopDuringAShareListingEndsTheSearch) {
    h.network.onCall = [&] {
        if (h.network.shareCalls == 2) {
            h.engine.StopSearch();
        }
    };
    h.engine.Request().shareMask = L"*";
    h.Run({});
    // The first page of ALPHA's shares (two names) became rows; nothing after the Stop.
    EXPECT_EQ(h.Names(), (Names{L"pub", L"data"}));
    EXPECT_EQ(h.network.shareCalls, 2);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

// The system's calls cannot be interrupted; a Stop made during one takes effect as soon as it
// returns: no further call, and nothing asked of the user interface.
TEST_F(NetworkWalkTest, StopDuringAnEnumerationTakesEffectAsSoonAsTheCallReturns) {
    ThreadWatch watch;
    WatchedResultList list(watch);
    h.engine.Services().resultList = &list;
    h.network.recordsPerCall = 10;
    int calls = 0;
    h.network.onCall = [&] {
        // OpenEnum(Net), Next(Net) -> DOM, OpenEnum(DOM), then Stop during Next(DOM) -> the servers
        if (++calls == 4) {
            h.engine.StopSearch();
        }
    };
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(list.Calls(), 1); // emptying it at the start
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

// A server that keeps answering "more data" without moving on would be asked for ever; one call
// that brings nothing new ends its listing, as an enumeration call that yields nothing does.
TEST_F(NetworkWalkTest, AServerWhoseShareListingMakesNoProgressIsNotAskedAgain) {
    h.network.AddStuckServer(L"DOM", L"\\\\EMPTY", {});
    h.network.AddStuckServer(L"DOM", L"\\\\ECHO", {L"same"});
    h.engine.Request().shareMask = L"*";
    h.Run({});
    // ALPHA's two pages, BETA, GAMMA, and one call each for the two that make no progress.
    EXPECT_EQ(h.network.shareCalls, 6);
    const Names names = h.Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), L"same"), 1);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);

    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    h.Expand(Node({L"Net", L"DOM", L"\\\\EMPTY"}));
    EXPECT_TRUE(h.list.Rows().empty());
    h.Expand(Node({L"Net", L"DOM", L"\\\\ECHO"}));
    EXPECT_EQ(h.Names(), (Names{L"same"}));
    EXPECT_EQ(h.network.shareCalls, 8);
}

TEST_F(NetworkWalkTest, ExpandingAContainerTwiceAddsItsChildrenOnce) {
    const TreeNode net = Node({L"Net"});
    h.Expand(net);
    h.Expand(net);
    h.Expand(Node({L"Net", L"DOM"}));
    h.Expand(Node({L"Net", L"DOM"}));
    EXPECT_EQ(h.tree.ChildCount(net), 1u);
    EXPECT_EQ(h.tree.ChildCount(Node({L"Net", L"DOM"})), 2u);
    EXPECT_EQ(h.tree.Image(Node({L"Net", L"DOM"})), kImageDomain);
    EXPECT_EQ(h.tree.Image(Node({L"Net", L"DOM", L"\\\\BETA"})), kImageServer);
    EXPECT_TRUE(h.tree.HasChildren(Node({L"Net", L"DOM", L"\\\\BETA"})));
}

TEST_F(NetworkWalkTest, BrowsingAServerListsItsSharesEachTimeAndAddsTheirNodesOnce) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    ToggleCheckState(h.tree, alpha); // new share nodes take the server's state
    for (int i = 0; i < 2; ++i) {
        h.Expand(alpha);
        const auto rows = h.list.Rows();
        ASSERT_EQ(rows.size(), 3u); // two pages of shares
        EXPECT_EQ(rows[2].columns, (std::array<std::wstring, 3>{L"C$", L"", L"\\\\ALPHA"}));
        EXPECT_EQ(h.engine.Results().Path(static_cast<std::size_t>(rows[2].data)), L"\\\\ALPHA\\C$");
    }
    EXPECT_EQ(h.tree.Dump(), L"[~] Net\n  [~] DOM\n    [ ] \\\\ALPHA\n      [ ] pub\n      [ ] data\n      [ ] C$\n"
                             L"    [x] \\\\BETA\n[x] Other\n");
    const TreeNode pub = h.tree.FindChildByText(alpha, L"pub");
    EXPECT_EQ(h.tree.Data(pub), NODE_IS_PATH);
    EXPECT_EQ(h.tree.Image(pub), kImageFolder);
    EXPECT_EQ(h.tree.SelectedImage(pub), kImageOpenFolder);
    EXPECT_TRUE(h.tree.HasChildren(pub));
}

TEST_F(NetworkWalkTest, BrowsingAFolderListsEverythingAndAddsSubfoldersOnce) {
    h.files.AddFile(L"\\\\ALPHA\\pub\\big.bin", "", (std::uint64_t{1} << 32) + 7);
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha);
    const TreeNode pub = h.tree.FindChildByText(alpha, L"pub");
    h.Expand(pub);
    h.Expand(pub);
    const auto rows = h.list.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].columns, (std::array<std::wstring, 3>{L"big.bin", L"4294967303", L"\\\\ALPHA\\pub\\"}));
    EXPECT_EQ(rows[2].columns, (std::array<std::wstring, 3>{L"sub", L"", L"\\\\ALPHA\\pub\\"}));
    EXPECT_EQ(rows[2].image, 1);
    EXPECT_EQ(h.engine.Results().Path(static_cast<std::size_t>(rows[1].data)), L"\\\\ALPHA\\pub\\f.txt");
    EXPECT_EQ(h.tree.ChildCount(pub), 1u);
    const TreeNode sub = h.tree.FindChildByText(pub, L"sub");
    EXPECT_FALSE(h.tree.HasChildren(sub));
}

TEST_F(NetworkWalkTest, AFolderThatCannotBeListedShowsTheSystemsTextAndChangesNothing) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha);
    h.files.Deny(L"\\\\ALPHA\\data");
    h.Expand(h.tree.FindChildByText(alpha, L"data"));
    EXPECT_EQ(h.messages.Shown(), (Names{L"Varnokle: " + SystemErrorText(kErrorAccessDenied)}));
    EXPECT_EQ(h.list.Rows().size(), 3u); // still the server's share listing
    EXPECT_EQ(h.engine.Results().Count(), 3u);
}

TEST_F(NetworkWalkTest, BrowsingDoesNothingWhileASearchIsActive) {
    h.Expand(Node({L"Net"}));
    h.Expand(Node({L"Net", L"DOM"}));
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.engine.searchActive = true;
    h.Expand(alpha);
    EXPECT_EQ(h.tree.ChildCount(alpha), 0u);
    EXPECT_EQ(h.network.shareCalls, 0);
    h.Expand(Node({L"Other"})); // containers still expand
    EXPECT_EQ(h.tree.ChildCount(Node({L"Other"})), 1u);
    h.engine.searchActive = false;
}

} // namespace
} // namespace vk::testing
