#include "platform/FolderNetwork.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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
    const std::wstring tooLong = L"\\\\server1\\share\\" + std::wstring(kMaxLongPathLength, L'x');
    EXPECT_TRUE(ListNames(files, tooLong + L"\\*", error).empty());
    EXPECT_EQ(error, kErrorFilenameTooLong);
    EXPECT_FALSE(files.OpenForReading(tooLong, error));
    EXPECT_EQ(error, kErrorFilenameTooLong);
}

// A file system that counts the calls made to it.
class CountingFileSystem final : public FileSystem {
public:
    explicit CountingFileSystem(FileSystem& inner) : inner_(inner) {}
    std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                ErrorCode& error) override {
        ++calls;
        return inner_.FindFirst(pattern, detail, error);
    }
    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override {
        ++calls;
        return inner_.OpenForReading(path, error);
    }
    bool ReadsBothPassesAtOnce() const override { return inner_.ReadsBothPassesAtOnce(); }
    ErrorCode CheckFolder(const std::wstring& dir) override { return inner_.CheckFolder(dir); }
    BothPasses ListBothPasses(const std::wstring& dir, std::wstring_view mask, ListingDetail detail) override {
        if (!inner_.ReadsBothPassesAtOnce()) {
            return FileSystem::ListBothPasses(dir, mask, detail);
        }
        ++calls;
        return inner_.ListBothPasses(dir, mask, detail);
    }
    int calls = 0;

private:
    FileSystem& inner_;
};

TEST_F(FolderNetworkTest, EveryNameOfAPathIgnoresCase) {
#ifndef _WIN32
    tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/Mixed/upper.txt", "upper");
    tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/mixed/lower.txt", "lower");
#endif
    CountingFileSystem counting(*system_);
    FolderNetwork network(tree_.Root(), counting);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;

    EXPECT_EQ(ListNames(files, L"\\\\SERVER1\\SHARE\\DIR\\SUB\\*", error),
              (std::vector<std::wstring>{L".", L"..", L"b.txt"}));
    EXPECT_EQ(ListNames(files, L"\\\\server1\\Share\\dir\\*.TXT", error), (std::vector<std::wstring>{L"a.txt"}));
    auto file = files.OpenForReading(L"\\\\Server1\\SHARE\\Dir\\A.TXT", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(ReadAll(*file), "hello");
    // What is not there in any case is not found, the network's way.
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\SHARE\\nodir\\*", error).empty());
    EXPECT_EQ(error, kErrorPathNotFound);
    EXPECT_FALSE(files.OpenForReading(L"\\\\server1\\SHARE\\DIR\\none.txt", error));
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_TRUE(ListNames(files, L"\\\\server1\\NOSHARE\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetName);

#ifndef _WIN32
    // Below the root, names are found as the system finds them; on POSIX that is with regard to
    // case, so the folder network does the rest. (Windows and Wine find every case at once, and
    // cannot hold two names that differ only in case.) A name that is on disk as spelt wins over
    // one that differs in case.
    EXPECT_EQ(ListNames(files, L"\\\\server1\\share\\mixed\\*.txt", error), (std::vector<std::wstring>{L"lower.txt"}));
    EXPECT_EQ(ListNames(files, L"\\\\server1\\share\\Mixed\\*.txt", error), (std::vector<std::wstring>{L"upper.txt"}));
    // A path spelt as on disk costs one call. One spelt otherwise costs listings of its folders
    // the first time; below a folder found so, a path spelt as on disk costs two calls: as spelt,
    // then below the folder found before.
    counting.calls = 0;
    EXPECT_EQ(ListNames(files, L"\\\\server1\\share\\dir\\sub\\*", error).size(), 3U);
    EXPECT_EQ(counting.calls, 1);
    EXPECT_EQ(ListNames(files, L"\\\\SERVER1\\SHARE\\*", error).size(), 6U);
    counting.calls = 0;
    file = files.OpenForReading(L"\\\\SERVER1\\SHARE\\dir\\sub\\b.txt", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(counting.calls, 2);
#endif
}

TEST_F(FolderNetworkTest, PathsLongerThanTheClassicLimitWork) {
    std::string deep = "Microsoft Windows Network/WORKGROUP/SERVER1/share";
    std::wstring unc = L"\\\\SERVER1\\share";
    while (unc.size() <= kMaxPathLength + 40) {
        deep += "/" + std::string(50, 'f');
        unc += L"\\" + std::wstring(50, L'f');
    }
    tree_.MakeFile(deep + "/far.txt", "far");
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(ListNames(files, unc + L"\\*.txt", error), (std::vector<std::wstring>{L"far.txt"}));
    const auto file = files.OpenForReading(unc + L"\\far.txt", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(ReadAll(*file), "far");
}

// Masks follow Windows' listing rules on every platform, whatever the system below does with
// them (Wine, for one, lists every name for "*." and wants a character for a final '?').
TEST_F(FolderNetworkTest, MasksFollowWindowsListingRules) {
    for (const char* name : {"Templates", "Templates1", "Templates.x", "readme.txt", "a.b"}) {
        tree_.MakeFile(std::string("Microsoft Windows Network/OFFICE/Server2/data/") + name, "x");
    }
    FolderNetwork network(tree_.Root(), *system_);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    FolderNetworkFileSystem files(network);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(ListNames(files, L"\\\\server2\\data\\*.", error),
              (std::vector<std::wstring>{L"Templates", L"Templates1"}));
    EXPECT_EQ(ListNames(files, L"\\\\server2\\data\\Templates?", error),
              (std::vector<std::wstring>{L"Templates", L"Templates1"}));
    EXPECT_EQ(ListNames(files, L"\\\\server2\\data\\a.?", error), (std::vector<std::wstring>{L"a.b"}));
    EXPECT_TRUE(ListNames(files, L"\\\\server2\\data\\*.none", error).empty());
    EXPECT_EQ(error, kErrorFileNotFound);
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
                                                    L"delay fast\r\n"
                                                    L"delay 11s\r\n"
                                                    L"delay 999999999s",
                                                    errors);
    EXPECT_EQ(faults.deniedFolders,
              (std::vector<std::wstring>{L"\\\\SERVER1\\share\\dir", L"\\\\server1\\share\\#hash folder"}));
    EXPECT_EQ(faults.lockedFiles, (std::vector<std::wstring>{L"\\\\server1\\share\\top.txt"}));
    EXPECT_EQ(faults.unreachableServers, (std::vector<std::wstring>{L"\\\\Server2"}));
    EXPECT_EQ(faults.callDelay, 2ms) << "a delay too long to wait for is refused";
    ASSERT_EQ(errors.size(), 8U);
    EXPECT_TRUE(errors[0].starts_with(L"line 8: ")) << errors[0];
    EXPECT_NE(errors[0].find(L"explode"), std::wstring::npos);
    EXPECT_TRUE(errors[1].starts_with(L"line 9: ")) << errors[1];
    EXPECT_TRUE(errors[5].starts_with(L"line 13: ")) << errors[5];
    EXPECT_EQ(errors[6], L"line 14: 'delay' may be at most 10s, ignored");
    EXPECT_TRUE(errors[7].starts_with(L"line 15: ")) << errors[7];
}

TEST(FolderNetworkFaults, DelayUnits) {
    const struct {
        const wchar_t* text;
        std::chrono::microseconds delay;
    } cases[] = {{L"delay 250us", 250us},  {L"delay 2ms", 2ms}, {L"delay 1s", 1s},
                 {L"delay 0.5 ms", 500us}, {L"delay 3MS", 3ms}, {L"delay 10s", 10s}};
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

// A listing as a comparable text: its error, or its entries with what the walk uses of them.
std::wstring Describe(DirectoryListing* listing, ErrorCode error, bool withSizes) {
    if (!listing) {
        return L"error " + std::to_wstring(error);
    }
    std::wstring text;
    DirEntry entry;
    while (listing->Next(entry)) {
        text += entry.name + (entry.isDirectory ? L"/" : L"") + (entry.isLink ? L"@" : L"");
        text += withSizes ? L" " + std::to_wstring(entry.size) + L"; " : L"; ";
    }
    return text;
}

TEST_F(FolderNetworkTest, OneReadForBothPassesGivesWhatTheTwoListingsGive) {
    tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/B.TXT", "bigger file");
    tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/noext", "n");
    tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/sub.txt");
    tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/denied");
    std::error_code linkError; // where links can be made, one back to the share
    std::filesystem::create_directory_symlink(tree_.PathOf("Microsoft Windows Network/WORKGROUP/SERVER1/share"),
                                              tree_.PathOf("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir/up"),
                                              linkError);
    CountingFileSystem counting(*system_);
    FolderNetwork network(tree_.Root(), counting);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    network.Faults().deniedFolders.push_back(L"\\\\SERVER1\\share\\dir\\denied");
    FolderNetworkFileSystem files(network);
    const int callsPerRead = system_->ReadsBothPassesAtOnce() ? 1 : 2;

    for (const std::wstring dir : {L"\\\\server1\\share\\dir", L"\\\\SERVER1\\SHARE\\DIR", L"\\\\server1\\share",
                                   L"\\\\server1\\share\\dir\\denied", L"\\\\server1\\share\\nodir",
                                   L"\\\\server1\\noshare", L"\\\\nobody\\share"}) {
        for (const std::wstring mask : {L"*.txt", L"*", L"*.", L"?", L"b*", L"nomatch", L"*.*"}) {
            BothPasses expected;
            counting.calls = 0;
            expected.matching =
                files.FindFirst(dir + L"\\" + mask, ListingDetail::kNamesAndSizes, expected.matchingError);
            expected.every = files.FindFirst(dir + L"\\*", ListingDetail::kNamesOnly, expected.everyError);
            const int twoListings = counting.calls;
            counting.calls = 0;
            const BothPasses both = files.ListBothPasses(dir, mask, ListingDetail::kNamesAndSizes);
            const std::wstring where = dir + L"\\" + mask;
            // Half the calls where one read serves both (a path spelt otherwise is looked up once).
            EXPECT_LE(counting.calls * (callsPerRead == 1 ? 2 : 1), twoListings) << where;
            EXPECT_EQ(Describe(both.matching.get(), both.matchingError, true),
                      Describe(expected.matching.get(), expected.matchingError, true))
                << where;
            EXPECT_EQ(Describe(both.every.get(), both.everyError, false),
                      Describe(expected.every.get(), expected.everyError, false))
                << where;
        }
    }
}

TEST_F(FolderNetworkTest, AFolderIsCheckedAsAListingFindsItWithoutListingIt) {
    tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/share/empty");
    tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/share/denied");
    CountingFileSystem counting(*system_);
    FolderNetwork network(tree_.Root(), counting);
    ASSERT_EQ(network.Load(), kErrorSuccess);
    network.Faults().deniedFolders.push_back(L"\\\\SERVER1\\share\\denied");
    FolderNetworkFileSystem files(network);

    for (const std::wstring& dir : std::vector<std::wstring>{
             L"\\\\server1\\share", L"\\\\server1\\share\\dir\\sub", L"\\\\server1\\share\\empty",
             L"\\\\SERVER1\\SHARE\\DIR", L"\\\\server1\\share\\denied", L"\\\\server1\\share\\top.txt",
             L"\\\\server1\\share\\nodir", L"\\\\server1\\noshare", L"\\\\nobody\\share", L"C:\\share",
             L"\\\\server1\\share\\" + std::wstring(kMaxLongPathLength, L'x')}) {
        counting.calls = 0;
        const ErrorCode checked = files.CheckFolder(dir);
        const int checkCalls = counting.calls;
        ErrorCode listed = kErrorSuccess;
        if (files.FindFirst(dir + L"\\*", ListingDetail::kNamesOnly, listed)) {
            listed = kErrorSuccess;
        }
        EXPECT_EQ(checked, listed) << dir;
        // A folder spelt as it is on disk is found without a listing.
        if (checked == kErrorSuccess && dir.find(L"DIR") == std::wstring::npos) {
            EXPECT_EQ(checkCalls, 0) << dir;
        }
    }
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
