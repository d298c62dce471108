// The network side of a search: the walk over the checked tree and the live network, and the share
// mask.

#include "network/CheckStateLogic.h"
#include "platform/SystemMessages.h"
#include "support/SmallNetwork.h"
#include "support/WatchedResultList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vk::testing {
namespace {

using NetworkWalkTest = SmallNetworkTest;

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
    const TreeNode alpha = BrowseAlpha();
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

} // namespace
} // namespace vk::testing
