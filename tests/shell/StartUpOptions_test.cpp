// The start-up's system check and command line.
#include "shell/StartUpOptions.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(StartUpOptions, OnlySystemsOutsideTheNtFamilyFromVersion4OnAreRefused) {
    EXPECT_FALSE(IsOutsideNtFamily(0x1DB10106)); // NT 6.1
    EXPECT_FALSE(IsOutsideNtFamily(0x0A280005)); // NT 5.0
    EXPECT_FALSE(IsOutsideNtFamily(0x00000004)); // NT 4
    EXPECT_TRUE(IsOutsideNtFamily(0xC0000A04));  // 4.10, not NT
    EXPECT_TRUE(IsOutsideNtFamily(0xC0005A04));  // 4.90, not NT
    EXPECT_FALSE(IsOutsideNtFamily(0x80000003)); // 3.x with the platform bit: older than 4
}

TEST(StartUpOptions, EmbeddingAndAutomationInAnyCaseWithSlashOrDashSkipTheStartUpScreens) {
    EXPECT_FALSE(ParseStartUpOptions({}).embeddingOrAutomation);
    for (const wchar_t* arg : {L"/Embedding", L"-embedding", L"/AUTOMATION", L"-Automation"}) {
        EXPECT_TRUE(ParseStartUpOptions({L"x.txt", arg}).embeddingOrAutomation) << arg;
    }
    for (const wchar_t* arg : {L"Embedding", L"/Embed", L"/Embeddings", L"--Automation", L"/"}) {
        EXPECT_FALSE(ParseStartUpOptions({arg}).embeddingOrAutomation) << arg;
    }
}

TEST(StartUpOptions, TheNetworkSwitchGoesBeforeTheEnvironmentAndNeedsAFolder) {
    const StartUpOptions none = ParseStartUpOptions({L"/Automation"});
    EXPECT_EQ(ChosenNetwork(none, L""), std::nullopt);
    EXPECT_EQ(ChosenNetwork(none, L"Z:\\env"), L"Z:\\env");

    const StartUpOptions given = ParseStartUpOptions({L"--network", L"Z:\\net work"});
    EXPECT_TRUE(given.error.empty());
    EXPECT_EQ(ChosenNetwork(given, L"Z:\\env"), L"Z:\\net work");
    EXPECT_EQ(ChosenNetwork(ParseStartUpOptions({L"--network=D:\\n"}), L""), L"D:\\n");

    for (const auto& args : {std::vector<std::wstring>{L"--network"}, std::vector<std::wstring>{L"--network", L""},
                             std::vector<std::wstring>{L"--network="}}) {
        const StartUpOptions wrong = ParseStartUpOptions(args);
        EXPECT_FALSE(wrong.error.empty());
        EXPECT_EQ(wrong.network.value_or(L""), L"");
    }
}

} // namespace
} // namespace vk
