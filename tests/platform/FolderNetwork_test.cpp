#include "platform/FolderNetwork.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace vk {
namespace {

using namespace std::chrono_literals;

std::vector<std::wstring> ListNames(FileSystem& system, const std::wstring& pattern, ErrorCode& error) {
    std::vector<std::wstring> names;
    const auto listing = system.FindFirst(pattern, ListingDetail::kNamesAndSizes, error);
    DirEntry entry;
    while (listing && listing->Next(entry)) {
        names.push_back(entry.name);
    }
    return names;
}

std::string ReadAll(ReadableFile& file) {
    std::string text(static_cast<std::size_t>(file.Length()), '\0');
    text.resize(file.Read(text.data(), text.size()));
    return text;
}

class FolderNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/a.txt", "hello");
        tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/sub/b.txt", "below");
        tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/top.txt", "top");
        tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/admin$/x.txt", "x");
        tree_.MakeFile("Microsoft Windows Network/OFFICE/Server2/data/file.bin", "\x01\x02");
        tree_.MakeFile("Microsoft Windows Network/stray.txt", "not a domain");
        tree_.MakeDir("Other Network/DOMAIN/server1/shadowed");
    }

    std::wstring ServerPath(std::string_view domain, std::string_view server) const {
        return tree_.Native("Microsoft Windows Network/" + std::string(domain) + "/" + std::string(server));
    }

    test::TempTree tree_;
    std::unique_ptr<FileSystem> system_ = MakeSystemFileSystem(kMaxLongPathLength);
};

TEST_F(FolderNetworkTest, LoadFindsProvidersDomainsAndServers) {
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    ASSERT_EQ(network.Servers().size(), 3U);
    EXPECT_EQ(network.Servers()[0].name, L"Server2");
    EXPECT_EQ(network.Servers()[0].domain, L"OFFICE");
    EXPECT_EQ(network.Servers()[1].name, L"SERVER1");
    EXPECT_EQ(network.Servers()[1].provider, L"Microsoft Windows Network");
    EXPECT_EQ(network.Servers()[1].nativePath, ServerPath("WORKGROUP", "SERVER1"));
    EXPECT_EQ(network.Servers()[2].provider, L"Other Network");

    // Names in any case, with or without backslashes; the first server of a name wins.
    ASSERT_NE(network.FindServer(L"server1"), nullptr);
    EXPECT_EQ(network.FindServer(L"\\\\Server1")->domain, L"WORKGROUP");
    EXPECT_EQ(network.FindServer(L"NOBODY"), nullptr);
    EXPECT_TRUE(network.FaultFileErrors().empty());
}

TEST_F(FolderNetworkTest, LoadFailsWithoutTheRootFolder) {
    FolderNetwork network(tree_.Native("missing"), *system_);
    EXPECT_EQ(network.Load(), kErrorPathNotFound);
}

TEST_F(FolderNetworkTest, MapsUncPathsBelowTheirServer) {
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    const std::wstring server = ServerPath("WORKGROUP", "SERVER1");
    const std::wstring sep(1, kNativeSeparator);
    ErrorCode error = kErrorSuccess;

    EXPECT_EQ(network.MapUncPath(L"\\\\server1", error), server);
    EXPECT_EQ(network.MapUncPath(L"\\\\SERVER1\\", error), server);
    EXPECT_EQ(network.MapUncPath(L"\\\\Server1\\share\\dir\\a.txt", error),
              server + sep + L"share" + sep + L"dir" + sep + L"a.txt");
    // Normalised as Windows does: no empty or "." names, and ".." never climbs above the share.
    EXPECT_EQ(network.MapUncPath(L"\\\\server1\\share\\\\.\\dir\\..\\..\\..\\top.txt", error),
              server + sep + L"share" + sep + L"top.txt");

    EXPECT_FALSE(network.MapUncPath(L"\\\\nobody\\share", error));
    EXPECT_EQ(error, kErrorBadNetPath);
    for (const wchar_t* bad : {L"", L"\\\\", L"\\\\\\x", L"share\\dir", L"C:\\dir", L"\\\\server1\\share\\a/../../x",
                               L"\\\\server1\\share\\stream:x", L"\\\\..\\share"}) {
        error = kErrorSuccess;
        EXPECT_FALSE(network.MapUncPath(bad, error)) << bad;
        EXPECT_EQ(error, kErrorInvalidName) << bad;
    }
}

TEST_F(FolderNetworkTest, ListsAndOpensThroughUncPaths) {
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    EXPECT_EQ(ListNames(files, L"\\\\SERVER1\\*", error),
              (std::vector<std::wstring>{L".", L"..", L"admin$", L"share"}));
    EXPECT_EQ(ListNames(files, L"\\\\server1\\share\\dir\\*.TXT", error), (std::vector<std::wstring>{L"a.txt"}));
    EXPECT_EQ(error, kErrorSuccess);

    const auto file = files.OpenForReading(L"\\\\server1\\share\\dir\\a.txt", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(ReadAll(*file), "hello");
}

TEST_F(FolderNetworkTest, ListingErrorsAreTheNetworkOnes) {
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    EXPECT_TRUE(ListNames(files, L"\\\\NOBODY\\share\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\noshare\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetName);
    EXPECT_FALSE(files.OpenForReading(L"\\\\server1\\noshare\\a.txt", error));
    EXPECT_EQ(error, kErrorBadNetName);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\share\\nodir\\*", error).empty());
    EXPECT_EQ(error, kErrorPathNotFound);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\share\\dir\\*.none", error).empty());
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_TRUE(ListNames(files, L"C:\\share\\*", error).empty());
    EXPECT_EQ(error, kErrorInvalidName);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\share\\..\\..\\*/..", error).empty());
    EXPECT_EQ(error, kErrorInvalidName);

    // The limit holds for the UNC path, however long the native path below the root is.
    const std::wstring tooLong = L"\\\\server1\\share\\" + std::wstring(kMaxPathLength, L'x') + L"\\*";
    EXPECT_TRUE(ListNames(files, tooLong, error).empty());
    EXPECT_EQ(error, kErrorFilenameTooLong);
    EXPECT_FALSE(files.OpenForReading(tooLong, error));
    EXPECT_EQ(error, kErrorFilenameTooLong);
}

TEST_F(FolderNetworkTest, WorksBelowARootWithALongPath) {
    std::string deepRoot = "root";
    while (tree_.Root().size() + deepRoot.size() < kMaxPathLength) {
        deepRoot += "/" + std::string(40, 'r');
    }
    tree_.MakeFile(deepRoot + "/net/DOM/FAR/share/folder/far.txt", "far");
    FolderNetwork network(tree_.Native(deepRoot), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(ListNames(files, L"\\\\far\\share\\folder\\*.txt", error), (std::vector<std::wstring>{L"far.txt"}));
    const auto file = files.OpenForReading(L"\\\\far\\share\\folder\\far.txt", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(ReadAll(*file), "far");
}

TEST(FolderNetworkFaults, ParsesRulesAndReportsBadLines) {
    std::vector<std::wstring> errors;
    const NetworkFaults faults = ParseNetworkFaults(L"# faults of the test network\r\n"
                                                    L"\r\n"
                                                    L"deny \\\\SERVER1\\share\\dir\\  # trailing backslash\r\n"
                                                    L"DENY \\\\server1\\share\\#hash folder\r\n"
                                                    L"lock \\\\server1\\share\\top.txt\r\n"
                                                    L"  unreachable   \\\\Server2\r\n"
                                                    L"delay 2ms\r\n"
                                                    L"explode \\\\server1\r\n"
                                                    L"deny share\\dir\r\n"
                                                    L"lock \\\\server1\\share\r\n"
                                                    L"unreachable \\\\server1\\share\r\n"
                                                    L"delay 5\r\n"
                                                    L"delay fast",
                                                    errors);
    EXPECT_EQ(faults.deniedFolders,
              (std::vector<std::wstring>{L"\\\\SERVER1\\share\\dir", L"\\\\server1\\share\\#hash folder"}));
    EXPECT_EQ(faults.lockedFiles, (std::vector<std::wstring>{L"\\\\server1\\share\\top.txt"}));
    EXPECT_EQ(faults.unreachableServers, (std::vector<std::wstring>{L"\\\\Server2"}));
    EXPECT_EQ(faults.callDelay, 2ms);
    ASSERT_EQ(errors.size(), 6U);
    EXPECT_TRUE(errors[0].starts_with(L"line 8: ")) << errors[0];
    EXPECT_NE(errors[0].find(L"explode"), std::wstring::npos);
    EXPECT_TRUE(errors[1].starts_with(L"line 9: ")) << errors[1];
    EXPECT_TRUE(errors[5].starts_with(L"line 13: ")) << errors[5];
}

TEST(FolderNetworkFaults, DelayUnits) {
    const struct {
        const wchar_t* text;
        std::chrono::microseconds delay;
    } cases[] = {
        {L"delay 250us", 250us}, {L"delay 2ms", 2ms}, {L"delay 1s", 1s}, {L"delay 0.5 ms", 500us}, {L"delay 3MS", 3ms}};
    for (const auto& c : cases) {
        std::vector<std::wstring> errors;
        EXPECT_EQ(ParseNetworkFaults(c.text, errors).callDelay, c.delay) << c.text;
        EXPECT_TRUE(errors.empty()) << c.text;
    }
}

TEST_F(FolderNetworkTest, FaultsFileMakesTheNetworkMisbehave) {
    tree_.MakeFile("network-faults.txt", "\xEF\xBB\xBF"
                                         "deny \\\\server1\\share\\dir\n"
                                         "lock \\\\SERVER1\\SHARE\\TOP.TXT\n"
                                         "unreachable \\\\server2\n"
                                         "nonsense\n");
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    ASSERT_EQ(network.FaultFileErrors().size(), 1U);
    EXPECT_TRUE(network.FaultFileErrors()[0].starts_with(L"line 4: "));
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    // The share still lists, the denied folder in it among the entries.
    EXPECT_EQ(ListNames(files, L"\\\\server1\\share\\*", error),
              (std::vector<std::wstring>{L".", L"..", L"dir", L"top.txt"}));
    EXPECT_TRUE(ListNames(files, L"\\\\Server1\\Share\\Dir\\*", error).empty());
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\share\\dir\\sub\\*", error).empty());
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_FALSE(files.OpenForReading(L"\\\\server1\\share\\dir\\a.txt", error));
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_TRUE(network.IsDenied(L"\\\\SERVER1\\share\\dir\\"));
    EXPECT_FALSE(network.IsDenied(L"\\\\server1\\share\\dirt"));

    EXPECT_FALSE(files.OpenForReading(L"\\\\server1\\share\\top.txt", error));
    EXPECT_EQ(error, kErrorSharingViolation);

    EXPECT_TRUE(network.IsUnreachable(L"SERVER2"));
    EXPECT_FALSE(network.MapUncPath(L"\\\\server2\\data", error));
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_TRUE(ListNames(files, L"\\\\Server2\\data\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_FALSE(files.OpenForReading(L"\\\\Server2\\data\\file.bin", error));
    EXPECT_EQ(error, kErrorBadNetPath);
}

// Two searches reading the same file at once both see its content; only the lock rule stands for a
// file that another program holds against readers.
TEST_F(FolderNetworkTest, ReadersShareAFileThatNoRuleLocks) {
    tree_.MakeFile("network-faults.txt", "lock \\\\server1\\share\\dir\\a.txt\n");
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    const auto first = files.OpenForReading(L"\\\\server1\\share\\top.txt", error);
    ASSERT_TRUE(first) << error;
    const auto second = files.OpenForReading(L"\\\\server1\\share\\top.txt", error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(ReadAll(*second), ReadAll(*first));

    EXPECT_FALSE(files.OpenForReading(L"\\\\server1\\share\\dir\\a.txt", error));
    EXPECT_EQ(error, kErrorSharingViolation);
}

TEST_F(FolderNetworkTest, EveryCallTakesTheConfiguredDelay) {
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    network.Faults().callDelay = 30ms;
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ListNames(files, L"\\\\server1\\share\\*", error).empty());
    EXPECT_TRUE(files.OpenForReading(L"\\\\server1\\share\\top.txt", error));
    EXPECT_TRUE(ListNames(files, L"\\\\nobody\\share\\*", error).empty());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Three calls; a little slack for coarse system timers.
    EXPECT_GE(elapsed, 3 * 30ms - 5ms);
}

} // namespace
} // namespace vk
