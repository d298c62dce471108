#include "vkfind/CommandLine.h"
#include "vkfind/SmbSetup.h"
#include "vkfind/Vkfind.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vk {
namespace {

TEST(VkfindSmbOptions, SmbTakesItsPortTimeoutAndAuthenticationFile) {
    const auto parsed = ParseCommandLine(
        {L"--smb", L"--smb-port", L"4450", L"--smb-timeout", L"3", L"--auth-file", L"/x/auth", L"--mask", L"*"},
        L"/folder/network/of/the/variable");
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_TRUE(parsed.options.smb);
    EXPECT_EQ(parsed.options.smbPort, 4450);
    EXPECT_EQ(parsed.options.smbTimeoutSeconds, 3);
    EXPECT_EQ(parsed.options.authFile, L"/x/auth");
    EXPECT_TRUE(parsed.options.networkRoot.empty()) << "--smb wins over VARNOKLE_NETWORK";

    const auto defaults = ParseCommandLine({L"--smb", L"--mask", L"*"}, L"");
    EXPECT_EQ(defaults.options.smbPort, 0) << "the standard ports";
    EXPECT_EQ(defaults.options.smbTimeoutSeconds, 10);
}

TEST(VkfindSmbOptions, ValuesItCannotTakeAreUsageErrors) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"--smb", L"--network", L"/n"},          // two networks
        {L"--smb-port", L"445"},                  // SMB settings without --smb
        {L"--auth-file", L"/x/auth"},             //
        {L"--smb", L"--smb-port", L"0"},          // no port
        {L"--smb", L"--smb-port", L"65536"},      //
        {L"--smb", L"--smb-port", L"44a"},        //
        {L"--smb", L"--smb-timeout", L"0"},       // no time at all
        {L"--smb", L"--smb-timeout", L"-1"},      //
        {L"--smb", L"--smb-timeout", L"99999999"} // longer than an hour
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(ParseCommandLine(args, L"").error.empty()) << args.back();
    }
}

TEST(VkfindSmbOptions, HelpTellsHowToReachSmbServers) {
    const std::wstring help = UsageText();
    for (const wchar_t* word : {L"--smb", L"--smb-port", L"--smb-timeout", L"--auth-file", L"VARNOKLE_SMB_AUTH_FILE",
                                L"VARNOKLE_SMB_USER", L"VARNOKLE_SMB_PASSWORD", L"guest"}) {
        EXPECT_NE(help.find(word), std::wstring::npos) << word;
    }
}

TEST(VkfindSmbOptions, ThePasswordIsNeverAnOption) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunVkfind({L"--smb", L"--password", L"secret", L"--shares", L"\\\\S"}, L"", out, err), kExitUsage);
    EXPECT_EQ(err.str().find("secret"), std::string::npos) << err.str();
}

TEST(VkfindSmbOptions, TheServersTheCommandLineNamesEachOnce) {
    VkfindOptions options;
    options.scopes = {L"\\\\FILESRV", L"\\\\filesrv\\Public\\Docs", L"\\\\10.0.0.7\\C$",
                      L"Microsoft Windows Network/WG"};
    options.listOf = L"\\\\ATLAS\\Music";
    EXPECT_EQ(NamedServers(options), (std::vector<std::wstring>{L"\\\\FILESRV", L"\\\\10.0.0.7", L"\\\\ATLAS"}));
    options = {};
    options.sharesOf = L"\\\\BOREAS";
    EXPECT_EQ(NamedServers(options), (std::vector<std::wstring>{L"\\\\BOREAS"}));
}

TEST(VkfindSmbOptions, TheBrowseServiceIsAskedOnlyForTheTree) {
    VkfindOptions options;
    EXPECT_TRUE(NeedsBrowsing(options)) << "the whole network";
    options.scopes = {L"\\\\FILESRV", L"\\\\ATLAS\\Public"};
    EXPECT_FALSE(NeedsBrowsing(options));
    options.scopes.push_back(L"Microsoft Windows Network/WORKGROUP");
    EXPECT_TRUE(NeedsBrowsing(options));
    options = {};
    options.sharesOf = L"\\\\FILESRV";
    EXPECT_FALSE(NeedsBrowsing(options));
}

} // namespace
} // namespace vk
