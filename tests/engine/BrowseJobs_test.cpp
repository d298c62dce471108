// Browsing off the caller's thread: a node's enumeration runs on a thread of its own while the
// caller goes on, its outcome is applied when the caller takes it, and Stop abandons it.

#include "engine/EngineTexts.h"
#include "support/CallGate.h"
#include "support/SmallNetwork.h"

#include <gtest/gtest.h>

namespace vk::testing {
namespace {

class BrowseJobsTest : public SmallNetworkTest {
protected:
    void SetUp() override {
        SmallNetworkTest::SetUp();
        h.Expand(Node({L"Net"}));
        h.Expand(Node({L"Net", L"DOM"}));
        h.engine.SetBrowseWake([this] { wakes.Pass(); });
        wakes.Open();
    }
    [[nodiscard]] std::wstring LastStatus() const { return h.status.Texts(kPaneMessage).back(); }

    CallGate wakes;
};

TEST_F(BrowseJobsTest, AnExpansionReadsOnItsOwnThreadAndIsAppliedWhenTaken) {
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha);
    wakes.WaitForArrivals(1);
    EXPECT_EQ(h.tree.ChildCount(alpha), 0u); // nothing before the caller takes it
    EXPECT_EQ(LastStatus(), L"Reading \\\\ALPHA...");
    EXPECT_EQ(h.form.States(), (std::vector<bool>{true})); // Stop stands for the browse

    EXPECT_EQ(h.engine.DeliverBrowses(), (std::vector<TreeNode>{alpha}));
    EXPECT_EQ(h.tree.ChildCount(alpha), 3u);
    EXPECT_EQ(h.list.Rows().size(), 3u);
    EXPECT_EQ(LastStatus(), L"");
    EXPECT_EQ(h.form.States(), (std::vector<bool>{true, false}));
    EXPECT_FALSE(h.engine.Browsing());
}

TEST_F(BrowseJobsTest, ABlockedServerLeavesTheCallerFreeIsReadOnceAndIsAbandonedOnStop) {
    CallGate network;
    h.network.onCall = [&network] { network.Pass(); };
    const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
    h.Expand(alpha);
    network.WaitForArrivals(1); // the first share page is held; this thread goes on
    h.Expand(alpha);            // being read: starts nothing
    EXPECT_TRUE(h.engine.IsReading(alpha));
    h.Expand(Node({L"Other"})); // another node is read at the same time
    network.WaitForArrivals(2);
    EXPECT_EQ(h.network.shareCalls, 1);

    h.engine.StopSearch();
    EXPECT_EQ(LastStatus(), L"Stopped reading \\\\ALPHA, Other");
    EXPECT_FALSE(h.engine.Browsing());
    EXPECT_EQ(h.form.States(), (std::vector<bool>{true, false}));
    network.Open();
    h.engine.StopBrowsingAndWait();
    // Each thread ended after the call it was in: no second share page, no read of Other's buffer.
    EXPECT_EQ(network.Arrived(), 2);
    EXPECT_TRUE(h.engine.DeliverBrowses().empty());
    EXPECT_EQ(h.tree.ChildCount(alpha), 0u);
    EXPECT_EQ(h.tree.ChildCount(Node({L"Other"})), 0u);
    EXPECT_TRUE(h.list.Rows().empty());
}

} // namespace
} // namespace vk::testing
