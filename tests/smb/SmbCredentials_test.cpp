#include "platform/smb/SmbCredentials.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <map>

namespace vk {
namespace {

const char* const kPassword = "s3cr3t pass=word";

EnvironmentLookup Variables(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
}

TEST(SmbCredentials, TheFileFormatOfSmbclient) {
    SmbCredentials credentials;
    EXPECT_FALSE(ParseSmbAuthFile("# who we are\r\nusername = anna\r\n\npassword =  s3cr3t pass=word \r\n"
                                  "  Domain=ACME\r\n; done\r\n",
                                  credentials));
    EXPECT_EQ(credentials.user, "anna");
    EXPECT_EQ(credentials.password, kPassword);
    EXPECT_EQ(credentials.domain, "ACME");
    EXPECT_TRUE(credentials.Given());
}

TEST(SmbCredentials, AUserNameMayCarryItsDomainAndPassword) {
    SmbCredentials credentials;
    EXPECT_FALSE(ParseSmbAuthFile("username = ACME\\anna%pw%with%percent\n", credentials));
    EXPECT_EQ(credentials.domain, "ACME");
    EXPECT_EQ(credentials.user, "anna");
    EXPECT_EQ(credentials.password, "pw%with%percent");
    EXPECT_FALSE(ParseSmbAuthFile("username = LAB/bob\n", credentials));
    EXPECT_EQ(credentials.domain, "LAB");
    EXPECT_EQ(credentials.user, "bob");
    EXPECT_EQ(credentials.password, "");
}

TEST(SmbCredentials, AFileItCannotTakeIsRefusedWithoutQuotingIt) {
    const std::string withPassword = std::string("password = ") + kPassword + "\n";
    for (const std::string& text : {withPassword,                                       // no user
                                    "username = anna\n" + withPassword + "pasword = x", // a misspelt setting
                                    "username = anna\n" + std::string(kPassword)}) {    // no '='
        SmbCredentials credentials;
        credentials.user = "kept";
        const auto problem = ParseSmbAuthFile(text, credentials);
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(problem->find(L"s3cr3t"), std::wstring::npos);
        EXPECT_EQ(credentials.user, "kept") << "a refused file changes nothing";
    }
}

TEST(SmbCredentials, TheCommandLineFileComesFirstThenTheEnvironment) {
    test::TempTree tree;
    tree.MakeFile("auth", "username = fromfile\npassword = a\n");
    tree.MakeFile("other", "username = fromvariable\npassword = b\n");
    const auto variables = Variables({{kSmbAuthFileVariable, tree.PathOf("other").string()},
                                      {kSmbUserVariable, "fromuser"},
                                      {kSmbPasswordVariable, "c"}});
    SmbCredentials credentials;
    EXPECT_FALSE(LoadSmbCredentials(tree.Native("auth"), variables, credentials));
    EXPECT_EQ(credentials.user, "fromfile");
    EXPECT_FALSE(LoadSmbCredentials(L"", variables, credentials));
    EXPECT_EQ(credentials.user, "fromvariable");
    EXPECT_FALSE(LoadSmbCredentials(
        L"", Variables({{kSmbUserVariable, "WG\\fromuser"}, {kSmbPasswordVariable, kPassword}}), credentials));
    EXPECT_EQ(credentials.user, "fromuser");
    EXPECT_EQ(credentials.domain, "WG");
    EXPECT_EQ(credentials.password, kPassword);
    EXPECT_FALSE(LoadSmbCredentials(L"", Variables({}), credentials));
    EXPECT_FALSE(credentials.Given()) << "nothing given: guest";
}

TEST(SmbCredentials, AFileThatCannotBeReadIsAnError) {
    test::TempTree tree;
    SmbCredentials credentials;
    const auto missing = LoadSmbCredentials(tree.Native("missing"), Variables({}), credentials);
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find(L"missing"), std::wstring::npos);
    tree.MakeFile("huge", std::string(100 * 1024, '#'));
    EXPECT_TRUE(LoadSmbCredentials(tree.Native("huge"), Variables({}), credentials));
    EXPECT_TRUE(LoadSmbCredentials(L"", Variables({{kSmbUserVariable, "WG\\"}}), credentials));
}

} // namespace
} // namespace vk
