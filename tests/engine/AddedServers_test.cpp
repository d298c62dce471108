// Servers added by name: the typed list, the list in the profile, and the group in the tree that
// a search walks while the provider lists no computers.

#include "engine/ServerList.h"
#include "network/CheckStateLogic.h"
#include "support/SmallNetwork.h"

#include <gtest/gtest.h>

namespace vk::testing {
namespace {

TEST(ServerList, TypedAndPastedListsGiveOneEntryEachAndNameWhatIsNoServer) {
    struct Case {
        const wchar_t* text;
        Names entries;
        Names rejected;
    };
    const Case cases[] = {
        {L"FILESRV01", {L"\\\\FILESRV01"}, {}},
        {L" \\\\FILESRV01 , 192.0.2.7;\tDC1\r\nfilesrv01\n\n", {L"\\\\FILESRV01", L"\\\\192.0.2.7", L"\\\\DC1"}, {}},
        {L"\\\\FS\\My Docs\\2024\\, \\\\FS\\pub", {L"\\\\FS\\My Docs\\2024", L"\\\\FS\\pub"}, {}},
        {L"a*b, c:d e/f \\\\ ..", {}, {L"a*b", L"c:d", L"e/f", L"\\\\", L".."}},
        {L";,\n ", {}, {}},
    };
    for (const Case& c : cases) {
        const ParsedServerList parsed = ParseServerList(c.text);
        EXPECT_EQ(parsed.entries, c.entries) << c.text;
        EXPECT_EQ(parsed.rejected, c.rejected) << c.text;
    }
}

TEST(ServerList, TheProfileKeepsTheListAndReadsBackOnlyWhatParses) {
    MemoryProfile profile;
    EXPECT_TRUE(LoadServerList(profile).empty());
    ASSERT_TRUE(SaveServerList(profile, {L"\\\\A", L"\\\\B\\docs"}));
    EXPECT_EQ(LoadServerList(profile), (Names{L"\\\\A", L"\\\\B\\docs"}));
    // A shorter list: the count says where it ends.
    ASSERT_TRUE(SaveServerList(profile, {L"\\\\B\\docs"}));
    EXPECT_EQ(LoadServerList(profile), (Names{L"\\\\B\\docs"}));
    profile.WriteText(kServersSection, L"Server2", L"bad*name");
    profile.WriteInt(kServersSection, L"Count", 3);
    EXPECT_EQ(LoadServerList(profile), (Names{L"\\\\B\\docs"}));
    profile.SetFailing(true);
    EXPECT_FALSE(SaveServerList(profile, {L"\\\\C"}));
}

class AddedServersTest : public SmallNetworkTest {};

TEST_F(AddedServersTest, AddedServersAreShownUnderTheProviderSearchedAndRemoved) {
    // Servers that no container lists.
    h.network.AddServer(L"Unlisted", L"\\\\DELTA", {L"x", L"y"});
    h.network.AddServer(L"Unlisted", L"\\\\EPS", {L"docs", L"other"});
    for (const auto* share : {L"\\\\DELTA\\x", L"\\\\DELTA\\y", L"\\\\EPS\\docs", L"\\\\EPS\\other"}) {
        h.files.AddFile(std::wstring(share) + L"\\f.txt", "x");
    }
    AddedServerGroup& added = h.engine.AddedServers();
    EXPECT_EQ(added.Add({L"\\\\DELTA", L"\\\\EPS\\docs", L"\\\\delta"}), 2u);
    // Of \\EPS only the share typed is in the tree, so only it is searched.
    EXPECT_EQ(h.tree.Dump(), L"[x] Net\n  [x] Added servers\n    [x] \\\\DELTA\n    [x] \\\\EPS\n      [x] docs\n"
                             L"[x] Other\n");

    // The provider beside the group is still walked live, and enumerated on expansion.
    h.engine.Request().fileMask = L"f.txt";
    h.Run({});
    EXPECT_EQ(HitPaths(), (Names{L"\\\\ALPHA\\C$\\f.txt", L"\\\\ALPHA\\data\\f.txt", L"\\\\ALPHA\\pub\\f.txt",
                                 L"\\\\BETA\\docs\\f.txt", L"\\\\DELTA\\x\\f.txt", L"\\\\DELTA\\y\\f.txt",
                                 L"\\\\EPS\\docs\\f.txt", L"\\\\GAMMA\\ADMIN$\\f.txt", L"\\\\GAMMA\\misc\\f.txt"}));
    h.Expand(Node({L"Net"}));
    EXPECT_EQ(h.tree.ChildCount(Node({L"Net"})), 2u);

    // Browsing an added server lists its shares as any server's.
    h.Expand(Node({L"Net", L"Added servers", L"\\\\DELTA"}));
    EXPECT_EQ(h.list.Rows().size(), 2u);

    EXPECT_FALSE(added.Remove(Node({L"Net", L"Added servers", L"\\\\EPS", L"docs"})));
    EXPECT_TRUE(added.Remove(Node({L"Net", L"Added servers", L"\\\\EPS"})));
    EXPECT_EQ(added.Entries(), (Names{L"\\\\DELTA"}));
    ToggleCheckState(h.tree, Node({L"Net", L"Added servers", L"\\\\DELTA"}));
    EXPECT_EQ(h.tree.GetCheckState(Node({L"Net"})), PartlyChecked);
    EXPECT_TRUE(added.Remove(Node({L"Net", L"Added servers", L"\\\\DELTA"})));
    EXPECT_EQ(h.tree.Dump(), L"[x] Net\n  [x] DOM\n[x] Other\n");
}

TEST_F(AddedServersTest, AServerAddedWithOneShareListsAllItsSharesWhenBrowsedAndChecksOnlyThatOne) {
    h.engine.AddedServers().Add({L"\\\\ALPHA\\pub\\sub"});
    h.Expand(Node({L"Net", L"Added servers", L"\\\\ALPHA"}));
    h.Expand(Node({L"Net", L"Added servers", L"\\\\ALPHA", L"pub"}));
    EXPECT_EQ(h.tree.Dump(), L"[~] Net\n  [~] Added servers\n    [~] \\\\ALPHA\n      [~] pub\n        [x] sub\n"
                             L"      [ ] data\n      [ ] C$\n[x] Other\n");
    EXPECT_EQ(h.list.Rows().size(), 2u); // pub's own listing: f.txt and sub
}

TEST_F(AddedServersTest, ARestoredListIsShownOnceTheTopLevelIsThere) {
    EngineHarness restarted;
    restarted.network.AddContainer(L"", L"Net", kDisplayTypeNetwork);
    restarted.engine.AddedServers().SetEntries({L"\\\\ALPHA"});
    EXPECT_EQ(restarted.tree.Dump(), L"");
    restarted.UseTree();
    EXPECT_EQ(restarted.tree.Dump(), L"[x] Net\n  [x] Added servers\n    [x] \\\\ALPHA\n");
}

} // namespace
} // namespace vk::testing
