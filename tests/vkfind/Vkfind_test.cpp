#include "vkfind/CommandLine.h"
#include "vkfind/ScopeSelection.h"
#include "vkfind/Vkfind.h"

#include "platform/FileSystem.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace vk {
namespace {

struct VkfindRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Shares are searched by workers at the same time, so their rows interleave.
std::string SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    std::sort(lines.begin(), lines.end());
    std::string sorted;
    for (const auto& line : lines) {
        sorted += line;
    }
    return sorted;
}

VkfindRun Vkfind(std::vector<std::wstring> args, const std::wstring& network = L"") {
    std::ostringstream out;
    std::ostringstream err;
    VkfindRun run;
    run.status = RunVkfind(args, network, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(VkfindCommandLine, UsageErrorsExitWithTwoAndAClearMessage) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"--mask"},                                            // option without its value
        {L"--frobnicate", L"\\\\S\\s"},                         // unknown option
        {L"--at-least", L"1", L"--at-most", L"2", L"\\\\S\\s"}, // both bounds
        {L"--mask", L"*", L"\\\\S\\\\x"},                       // neither share, server nor tree path
        {L"\\\\S\\s"},                                          // no mask at all
        {L"--text", L"x", L"\\\\S\\s"},                         // a containing text alone
        {L"--shares", L"SERVER"},                               // not \\SERVER
        {L"--list", L"\\\\SERVER"},                             // not a share
        {L"--shares", L"\\\\S", L"--list", L"\\\\S\\s"},        // both listings
        {L"--shares", L"\\\\S", L"\\\\S\\s"},                   // a listing takes no scope
    };
    for (const auto& args : bad) {
        const VkfindRun run = Vkfind(args, L"/nonexistent");
        EXPECT_EQ(run.status, kExitUsage) << run.err;
        EXPECT_NE(run.err.find("vkfind: "), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_NE(Vkfind({L"\\\\S\\s"}, L"/x").err.find("Please insert mask for search."), std::string::npos);
}

TEST(VkfindCommandLine, HelpDescribesEveryOption) {
    const VkfindRun run = Vkfind({L"--help"});
    EXPECT_EQ(run.status, kExitSearchRan);
    for (const char* word : {"--network", "--mask", "--share-mask", "--text", "--at-least", "--at-most", "SCOPE",
                             "VARNOKLE_NETWORK", "Exit status"}) {
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
}

TEST(VkfindCommandLine, SizeBoundAloneSearchesEverything) {
    const auto parsed = ParseCommandLine({L"--at-most", L"12kb", L"\\\\S\\s"}, L"");
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_EQ(*parsed.options.atMostKb, L"12kb");
}

class VkfindNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.MakeFile("prov/DOM/SRV/C$/boot.ini", "[boot]\n");
        tree.MakeFile("prov/DOM/OTHER/pub/a.txt", "other\n");
        tree.MakeFile("net2/WG/THIRD/x/a.txt", "third\n");
        tree.MakeFile("prov/DOM/SRV/docs/a.txt", "alpha\n");
        tree.MakeFile("prov/DOM/SRV/docs/sub/Ärger.TXT", "beta gamma\n");
        tree.MakeFile("prov/DOM/SRV/docs/sub/big.bin", std::string(3000, 'x'));
        tree.MakeFile("prov/DOM/SRV/docs/locked/secret.txt", "alpha\n");
        tree.MakeFile("network-faults.txt", "deny \\\\SRV\\docs\\locked\n");
    }
    test::TempTree tree;
};

TEST_F(VkfindNetworkTest, PrintsTheRowsAsTabSeparatedUtf8) {
    const VkfindRun run = Vkfind({L"--quiet", L"--mask", L"*.txt", L"\\\\srv\\docs\\"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    EXPECT_EQ(run.out, "a.txt\t6\t\\\\srv\\docs\n"
                       "\xC3\x84rger.TXT\t11\t\\\\srv\\docs\\sub\n");
    EXPECT_TRUE(run.err.empty());
}

TEST_F(VkfindNetworkTest, StatusTextsGoToStandardError) {
    const VkfindRun run = Vkfind({L"--mask", L"*.bin", L"--at-least", L"2", L"\\\\SRV\\docs"}, tree.Root());
    EXPECT_EQ(run.out, "big.bin\t3000\t\\\\SRV\\docs\\sub\n");
    EXPECT_NE(run.err.find("Please wait...\n"), std::string::npos);
    EXPECT_NE(run.err.find("Search in \\\\SRV\\docs\\sub\n"), std::string::npos);
    EXPECT_NE(run.err.find("Search completed\n"), std::string::npos);
}

TEST_F(VkfindNetworkTest, ContainingTextAndTheNetworkOption) {
    const VkfindRun run =
        Vkfind({L"-q", L"--network", tree.Root(), L"--mask", L"*", L"--text", L"GAMMA", L"\\\\SRV\\docs"});
    EXPECT_EQ(run.status, kExitSearchRan);
    EXPECT_EQ(run.out, "\xC3\x84rger.TXT\t11\t\\\\SRV\\docs\\sub\n");
}

TEST_F(VkfindNetworkTest, AnUnreadableNetworkFolderExitsWithOne) {
    const VkfindRun run = Vkfind({L"--mask", L"*", L"\\\\SRV\\docs"}, tree.Root() + L"-missing");
    EXPECT_EQ(run.status, kExitNetworkUnreadable);
    EXPECT_NE(run.err.find("cannot read the network folder"), std::string::npos);
}

TEST_F(VkfindNetworkTest, WithoutAScopeTheWholeNetworkIsSearched) {
    const VkfindRun run = Vkfind({L"-q", L"--mask", L"a.txt"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    EXPECT_EQ(SortedLines(run.out), "a.txt\t6\t\\\\OTHER\\pub\n"
                                    "a.txt\t6\t\\\\SRV\\docs\n"
                                    "a.txt\t6\t\\\\THIRD\\x\n");
}

TEST_F(VkfindNetworkTest, ServerAndTreePathScopesNarrowTheSearch) {
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"a.txt", L"\\\\other"}, tree.Root()).out, "a.txt\t6\t\\\\OTHER\\pub\n");
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"a.txt", L"net2"}, tree.Root()).out, "a.txt\t6\t\\\\THIRD\\x\n");
    EXPECT_EQ(SortedLines(Vkfind({L"-q", L"--mask", L"a.txt", L"prov/dom/\\\\SRV", L"net2/WG"}, tree.Root()).out),
              "a.txt\t6\t\\\\SRV\\docs\na.txt\t6\t\\\\THIRD\\x\n");
    const VkfindRun missing = Vkfind({L"-q", L"--mask", L"*", L"\\\\NOSUCH"}, tree.Root());
    EXPECT_EQ(missing.status, kExitNetworkUnreadable);
    EXPECT_NE(missing.err.find("not found in the network: \\\\NOSUCH"), std::string::npos);
}

TEST_F(VkfindNetworkTest, AShareMaskAloneListsTheMatchingShares) {
    const VkfindRun run = Vkfind({L"-q", L"--share-mask", L"*$"}, tree.Root());
    EXPECT_EQ(run.out, "C$\t\t\\\\SRV\\\n");
}

TEST_F(VkfindNetworkTest, BrowseListingsOfSharesAndFolders) {
    EXPECT_EQ(Vkfind({L"--shares", L"\\\\srv"}, tree.Root()).out, "C$\t\t\\\\SRV\ndocs\t\t\\\\SRV\n");
    EXPECT_EQ(Vkfind({L"--list", L"\\\\SRV\\docs\\sub"}, tree.Root()).out,
              "big.bin\t3000\t\\\\SRV\\docs\\sub\\\n"
              "\xC3\x84rger.TXT\t11\t\\\\SRV\\docs\\sub\\\n");
    const VkfindRun denied = Vkfind({L"--list", L"\\\\SRV\\docs\\locked"}, tree.Root());
    EXPECT_EQ(denied.status, kExitNetworkUnreadable);
    EXPECT_NE(denied.err.find("Varnokle: "), std::string::npos);
    EXPECT_TRUE(denied.out.empty());
}

} // namespace
} // namespace vk
