// Browsing the network tree: expanding containers, listing a server's shares and a folder's
// entries, and what a listing does while a search is active.

#include "engine/EngineTexts.h"
#include "network/CheckStateLogic.h"
#include "platform/SystemMessages.h"
#include "support/SmallNetwork.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace vk::testing {
namespace {

using NetworkBrowserTest = SmallNetworkTest;

TEST_F(NetworkBrowserTest, ExpandingAContainerTwiceAddsItsChildrenOnce) {
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

TEST_F(NetworkBrowserTest, AFailedEnumerationIsShownNamingTheNode) {
    h.network.FailOpen(L"Other", kErrorNoBrowserServersFound);
    h.network.FailOpen(L"DOM", kErrorAccessDenied);
    h.network.MakeUnreachable(L"\\\\BETA");
    const auto shown = [&](std::initializer_list<const wchar_t*> path) {
        const std::size_t before = h.status.Texts(kPaneMessage).size();
        h.Expand(Node(path));
        const auto texts = h.status.Texts(kPaneMessage);
        return texts.size() == before ? std::wstring(L"(nothing)") : texts.back();
    };
    // A provider without the browse service: the hint that servers can be added by name.
    EXPECT_EQ(shown({L"Other"}), L"Other" + std::wstring(kTextListsNoComputers));
    EXPECT_EQ(shown({L"Net"}), L"(nothing)");
    EXPECT_EQ(shown({L"Net", L"DOM"}), kTextCannotRead + std::wstring(L"DOM: ") + SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(h.tree.ChildCount(Node({L"Net", L"DOM"})), 0u);

    h.network.FailOpen(L"DOM", kErrorSuccess);
    h.Expand(Node({L"Net", L"DOM"}));
    EXPECT_EQ(shown({L"Net", L"DOM", L"\\\\BETA"}),
              kTextCannotRead + std::wstring(L"\\\\BETA: ") + SystemErrorText(kErrorBadNetPath));
}

TEST_F(NetworkBrowserTest, BrowsingAServerListsItsSharesEachTimeAndAddsTheirNodesOnce) {
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

TEST_F(NetworkBrowserTest, BrowsingAFolderListsEverythingAndAddsSubfoldersOnce) {
    h.files.AddFile(L"\\\\ALPHA\\pub\\big.bin", "", (std::uint64_t{1} << 32) + 7);
    const TreeNode alpha = BrowseAlpha();
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

TEST_F(NetworkBrowserTest, AFolderThatCannotBeListedShowsTheSystemsTextAndChangesNothing) {
    const TreeNode alpha = BrowseAlpha();
    h.files.Deny(L"\\\\ALPHA\\data");
    h.Expand(h.tree.FindChildByText(alpha, L"data"));
    EXPECT_EQ(h.messages.Shown(), (Names{L"Varnokle: " + SystemErrorText(kErrorAccessDenied)}));
    EXPECT_EQ(h.list.Rows().size(), 3u); // still the server's share listing
    EXPECT_EQ(h.engine.Results().Count(), 3u);
}

TEST_F(NetworkBrowserTest, BrowsingDoesNothingWhileASearchIsActive) {
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
