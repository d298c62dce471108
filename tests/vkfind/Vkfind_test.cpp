#include "vkfind/CommandLine.h"
#include "vkfind/Vkfind.h"

#include "platform/FileSystem.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vk {
namespace {

struct VkfindRun {
    int status = -1;
    std::string out;
    std::string err;
};

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
        {},                                                     // no scope
        {L"--mask"},                                            // option without its value
        {L"--frobnicate", L"\\\\S\\s"},                         // unknown option
        {L"--at-least", L"1", L"--at-most", L"2", L"\\\\S\\s"}, // both bounds
        {L"--mask", L"*", L"C:\\local"},                        // not a share path
        {L"--mask", L"*", L"\\\\SERVER"},                       // a server is no share (yet)
        {L"\\\\S\\s"},                                          // no mask at all
        {L"--text", L"x", L"\\\\S\\s"},                         // a containing text alone
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

} // namespace
} // namespace vk
