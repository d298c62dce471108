#include "platform/FolderNetworkServices.h"

#include "support/ShareNames.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vk {
namespace {

using namespace std::chrono_literals;

const std::wstring kWindowsNetwork = L"Microsoft Windows Network";

NetResource Record(std::uint32_t displayType, std::uint32_t usage, std::wstring remoteName, std::wstring provider) {
    return NetResource{displayType, usage, std::move(remoteName), std::move(provider)};
}

std::vector<std::wstring> RemoteNames(const std::vector<NetResource>& records) {
    std::vector<std::wstring> names;
    for (const auto& record : records) {
        names.push_back(record.remoteName);
    }
    return names;
}

void ExpectRecord(const NetResource& record, std::uint32_t displayType, std::uint32_t usage,
                  const std::wstring& remoteName, const std::wstring& provider) {
    EXPECT_EQ(record.displayType, displayType) << record.remoteName;
    EXPECT_EQ(record.usage, usage) << record.remoteName;
    EXPECT_EQ(record.remoteName, remoteName);
    EXPECT_EQ(record.provider, provider) << record.remoteName;
}

// Every record below parent (the top of the network when null), read with one buffer size;
// checks that each call fills its buffer as far as the next record allows.
struct EnumResult {
    ErrorCode openError = kErrorSuccess;
    ErrorCode endError = kErrorSuccess;
    std::vector<NetResource> records;
    std::size_t calls = 0;
};

EnumResult EnumerateAll(NetworkServices& services, const NetResource* parent, std::size_t bufferSize = kEnumBufferSize,
                        std::uint32_t count = kEnumAllEntries) {
    EnumResult result;
    const auto enumeration = services.OpenEnum(parent, result.openError);
    if (!enumeration) {
        return result;
    }
    // The room the previous call left when it stopped short of the count; its next record must
    // not have fitted there.
    std::size_t roomLeft = 0;
    bool stoppedShort = false;
    while (result.calls < 100000) {
        std::uint32_t returned = count;
        std::vector<NetResource> page;
        const ErrorCode error = enumeration->Next(returned, bufferSize, page);
        ++result.calls;
        if (error != kErrorSuccess) {
            EXPECT_EQ(returned, 0U);
            EXPECT_TRUE(page.empty());
            result.endError = error;
            break;
        }
        EXPECT_EQ(returned, page.size());
        EXPECT_GE(returned, 1U);
        EXPECT_LE(returned, count);
        if (stoppedShort && !page.empty()) {
            EXPECT_GT(EnumRecordBytes(page.front()), roomLeft) << "a buffer was left part empty";
        }
        std::size_t bytes = 0;
        for (const auto& record : page) {
            bytes += EnumRecordBytes(record);
        }
        EXPECT_LE(bytes, bufferSize);
        stoppedShort = returned < count;
        roomLeft = bufferSize - std::min(bytes, bufferSize);
        result.records.insert(result.records.end(), page.begin(), page.end());
    }
    return result;
}

class FolderNetworkServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/share/dir");
        tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/public");
        tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/admin$");
        tree_.MakeDir("Microsoft Windows Network/WORKGROUP/SERVER1/C$");
        tree_.MakeFile("Microsoft Windows Network/WORKGROUP/SERVER1/not-a-share.txt", "x");
        tree_.MakeDir("Microsoft Windows Network/WORKGROUP/alpha/docs");
        tree_.MakeDir("Microsoft Windows Network/OFFICE/Server2/data");
        tree_.MakeDir("Microsoft Windows Network/EMPTY");
        tree_.MakeFile("Microsoft Windows Network/stray.txt", "not a domain");
        tree_.MakeDir("Other Network/OFFICE/server4/misc");
        tree_.MakeDir("Lonely Network");
    }

    void Load() { ASSERT_EQ(network_.Load(), kErrorSuccess); }

    test::TempTree tree_;
    std::unique_ptr<FileSystem> system_ = MakeSystemFileSystem(kMaxLongPathLength);
    FolderNetwork network_{tree_.Root(), *system_};
};

TEST(EnumRecordBytes, CountsTheFixedRecordAndUtf16StringsWithTerminators) {
    EXPECT_EQ(kEnumRecordFixedBytes, 48U);
    EXPECT_EQ(EnumRecordBytes(NetResource{}), 48U);
    EXPECT_EQ(EnumRecordBytes(Record(kDisplayTypeServer, kUsageContainer, L"\\\\AB", L"")), 48U + 5 * 2);
    EXPECT_EQ(EnumRecordBytes(Record(kDisplayTypeServer, kUsageContainer, L"\\\\AB", L"P")), 48U + 5 * 2 + 2 * 2);
    // A character beyond the Basic Multilingual Plane is two UTF-16 units on every platform.
    EXPECT_EQ(EnumRecordBytes(Record(kDisplayTypeDomain, kUsageContainer, L"\U0001F600", L"")), 48U + 3 * 2);
}

TEST_F(FolderNetworkServicesTest, EnumeratesEachLevelOfTheTreeInOrder) {
    Load();
    FolderNetworkServices services(network_);

    const auto top = EnumerateAll(services, nullptr);
    ASSERT_EQ(top.openError, kErrorSuccess);
    EXPECT_EQ(top.endError, kErrorNoMoreItems);
    ASSERT_EQ(top.records.size(), 3U);
    ExpectRecord(top.records[0], kDisplayTypeNetwork, kUsageContainer, L"Lonely Network", L"Lonely Network");
    ExpectRecord(top.records[1], kDisplayTypeNetwork, kUsageContainer, kWindowsNetwork, kWindowsNetwork);
    ExpectRecord(top.records[2], kDisplayTypeNetwork, kUsageContainer, L"Other Network", L"Other Network");

    // Each level is opened with a record exactly as the level above returned it.
    const auto domains = EnumerateAll(services, &top.records[1]);
    ASSERT_EQ(domains.openError, kErrorSuccess);
    EXPECT_EQ(domains.endError, kErrorNoMoreItems);
    ASSERT_EQ(domains.records.size(), 3U);
    ExpectRecord(domains.records[0], kDisplayTypeDomain, kUsageContainer, L"EMPTY", kWindowsNetwork);
    ExpectRecord(domains.records[1], kDisplayTypeDomain, kUsageContainer, L"OFFICE", kWindowsNetwork);
    ExpectRecord(domains.records[2], kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", kWindowsNetwork);

    const auto servers = EnumerateAll(services, &domains.records[2]);
    ASSERT_EQ(servers.openError, kErrorSuccess);
    ASSERT_EQ(servers.records.size(), 2U);
    ExpectRecord(servers.records[0], kDisplayTypeServer, kUsageContainer, L"\\\\alpha", kWindowsNetwork);
    ExpectRecord(servers.records[1], kDisplayTypeServer, kUsageContainer, L"\\\\SERVER1", kWindowsNetwork);

    // Below a server: its shares; hidden ones are left out of browse lists, files are no shares.
    const auto shares = EnumerateAll(services, &servers.records[1]);
    ASSERT_EQ(shares.openError, kErrorSuccess);
    EXPECT_EQ(shares.endError, kErrorNoMoreItems);
    ASSERT_EQ(shares.records.size(), 2U);
    ExpectRecord(shares.records[0], kDisplayTypeShare, kUsageConnectable, L"\\\\SERVER1\\public", kWindowsNetwork);
    ExpectRecord(shares.records[1], kDisplayTypeShare, kUsageConnectable, L"\\\\SERVER1\\share", kWindowsNetwork);

    // Containers with nothing in them end at the first call.
    for (const auto* parent : {&top.records[0], &domains.records[0]}) {
        const auto empty = EnumerateAll(services, parent);
        EXPECT_EQ(empty.openError, kErrorSuccess) << parent->remoteName;
        EXPECT_TRUE(empty.records.empty()) << parent->remoteName;
        EXPECT_EQ(empty.endError, kErrorNoMoreItems) << parent->remoteName;
        EXPECT_EQ(empty.calls, 1U) << parent->remoteName;
    }
}

TEST_F(FolderNetworkServicesTest, RecognisesParentsByDisplayTypeAndName) {
    Load();
    FolderNetworkServices services(network_);

    // Any letter case; a server with or without its backslashes.
    auto domain = Record(kDisplayTypeDomain, kUsageContainer, L"office", L"");
    EXPECT_EQ(RemoteNames(EnumerateAll(services, &domain).records), std::vector<std::wstring>{L"\\\\Server2"});
    // A domain name two providers have: the record's provider decides.
    domain.provider = L"other network";
    EXPECT_EQ(RemoteNames(EnumerateAll(services, &domain).records), std::vector<std::wstring>{L"\\\\server4"});
    const auto provider = Record(kDisplayTypeNetwork, kUsageContainer, L"OTHER NETWORK", L"");
    EXPECT_EQ(RemoteNames(EnumerateAll(services, &provider).records), std::vector<std::wstring>{L"OFFICE"});
    const auto server = Record(kDisplayTypeServer, kUsageContainer, L"server2", L"");
    EXPECT_EQ(RemoteNames(EnumerateAll(services, &server).records), std::vector<std::wstring>{L"\\\\Server2\\data"});

    struct Case {
        NetResource parent;
        ErrorCode error;
    };
    const Case cases[] = {
        {Record(kDisplayTypeNetwork, kUsageContainer, L"Nobody's Network", L""), kErrorBadNetPath},
        {Record(kDisplayTypeDomain, kUsageContainer, L"NOWHERE", kWindowsNetwork), kErrorBadNetPath},
        {Record(kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", L"Other Network"), kErrorBadNetPath},
        {Record(kDisplayTypeServer, kUsageContainer, L"\\\\NOBODY", kWindowsNetwork), kErrorBadNetPath},
        {Record(kDisplayTypeServer, kUsageContainer, L"\\\\SERVER1\\share", kWindowsNetwork), kErrorBadNetPath},
        {Record(kDisplayTypeServer, kUsageContainer, L"", L""), kErrorBadNetPath},
        // A provider's name under another display type is not that provider.
        {Record(kDisplayTypeDomain, kUsageContainer, kWindowsNetwork, kWindowsNetwork), kErrorBadNetPath},
        {Record(kDisplayTypeGeneric, kUsageContainer, kWindowsNetwork, kWindowsNetwork), kErrorBadNetPath},
        {Record(kDisplayTypeShare, kUsageConnectable, L"\\\\SERVER1\\share", kWindowsNetwork), kErrorNotContainer},
    };
    for (const auto& c : cases) {
        ErrorCode error = kErrorSuccess;
        EXPECT_EQ(services.OpenEnum(&c.parent, error), nullptr) << c.parent.remoteName;
        EXPECT_EQ(error, c.error) << c.parent.remoteName;
    }
}

TEST_F(FolderNetworkServicesTest, ProvidersAndDomainsThatNoLongerExistFail) {
    Load();
    FolderNetworkServices services(network_);
    std::error_code removed;
    std::filesystem::remove_all(tree_.PathOf("Microsoft Windows Network/OFFICE"), removed);
    std::filesystem::remove_all(tree_.PathOf("Other Network"), removed);
    ASSERT_FALSE(removed);

    const auto gone = Record(kDisplayTypeDomain, kUsageContainer, L"OFFICE", kWindowsNetwork);
    const auto goneProvider = Record(kDisplayTypeNetwork, kUsageContainer, L"Other Network", L"Other Network");
    const auto still = Record(kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", kWindowsNetwork);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(services.OpenEnum(&gone, error), nullptr);
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_EQ(services.OpenEnum(&goneProvider, error), nullptr);
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_NE(services.OpenEnum(&still, error), nullptr);
    EXPECT_EQ(error, kErrorSuccess);

    // A server whose folder is gone no longer answers.
    std::vector<ShareInfo> names{{L"stale"}};
    std::uint32_t resume = 0;
    EXPECT_EQ(services.ShareEnum(L"\\\\Server2", names, resume), kErrorBadNetPath);
    EXPECT_TRUE(names.empty());
    const auto server = Record(kDisplayTypeServer, kUsageContainer, L"\\\\Server2", kWindowsNetwork);
    EXPECT_EQ(services.OpenEnum(&server, error), nullptr);
    EXPECT_EQ(error, kErrorBadNetPath);
}

// One domain with more servers than one buffer holds; the folders are made once for the suite.
class FolderNetworkLargeDomainTest : public ::testing::Test {
protected:
    static constexpr int kServers = 500;

    static void SetUpTestSuite() {
        tree_ = std::make_unique<test::TempTree>();
        for (int i = 0; i < kServers; ++i) {
            tree_->MakeDir("Big Network/BIG/SRV" + std::to_string(1000 + i).substr(1));
        }
    }
    static void TearDownTestSuite() { tree_.reset(); }

    void SetUp() override { ASSERT_EQ(network_.Load(), kErrorSuccess); }

    static std::vector<std::wstring> AllNames() {
        std::vector<std::wstring> names;
        for (int i = 0; i < kServers; ++i) {
            names.push_back(L"\\\\SRV" + std::to_wstring(1000 + i).substr(1));
        }
        return names;
    }

    static std::unique_ptr<test::TempTree> tree_;
    std::unique_ptr<FileSystem> system_ = MakeSystemFileSystem(kMaxLongPathLength);
    FolderNetwork network_{tree_->Root(), *system_};
    FolderNetworkServices services_{network_};
    NetResource domain_ = Record(kDisplayTypeDomain, kUsageContainer, L"BIG", L"Big Network");
};

std::unique_ptr<test::TempTree> FolderNetworkLargeDomainTest::tree_;

TEST_F(FolderNetworkLargeDomainTest, FillsEachBufferAsFarAsItGoes) {
    // 90 bytes a record: 182 fit in the engine's buffer, so the domain takes three calls.
    const std::size_t recordBytes = EnumRecordBytes(Record(kDisplayTypeServer, 0, L"\\\\SRV000", L"Big Network"));
    ASSERT_EQ(recordBytes, 90U);
    const auto full = EnumerateAll(services_, &domain_);
    EXPECT_EQ(full.endError, kErrorNoMoreItems);
    EXPECT_EQ(full.calls, 3U + 1);
    EXPECT_EQ(RemoteNames(full.records), AllNames());

    // Room for two records and a half: two a call.
    const auto tiny = EnumerateAll(services_, &domain_, 2 * recordBytes + recordBytes / 2);
    EXPECT_EQ(tiny.calls, kServers / 2 + 1U);
    EXPECT_EQ(RemoteNames(tiny.records), AllNames());
}

TEST_F(FolderNetworkLargeDomainTest, KeepsToTheCountAndReportsARecordThatDoesNotFit) {
    const auto byThrees = EnumerateAll(services_, &domain_, kEnumBufferSize, 3);
    EXPECT_EQ(byThrees.calls, (kServers + 2) / 3 + 1U);
    EXPECT_EQ(RemoteNames(byThrees.records), AllNames());

    ErrorCode error = kErrorSuccess;
    const auto open = services_.OpenEnum(&domain_, error);
    ASSERT_NE(open, nullptr);
    std::vector<NetResource> records;
    std::uint32_t count = 0;
    // Asking for none is refused rather than answered with nothing for ever.
    EXPECT_EQ(open->Next(count, kEnumBufferSize, records), kErrorInvalidParameter);
    const std::size_t recordBytes = EnumRecordBytes(Record(kDisplayTypeServer, 0, L"\\\\SRV000", L"Big Network"));
    count = kEnumAllEntries;
    EXPECT_EQ(open->Next(count, recordBytes - 1, records), kErrorMoreData);
    EXPECT_EQ(count, 0U);
    // Nothing was lost on the way: exactly one record's room gets the first record.
    count = kEnumAllEntries;
    EXPECT_EQ(open->Next(count, recordBytes, records), kErrorSuccess);
    EXPECT_EQ(count, 1U);
    count = 2;
    EXPECT_EQ(open->Next(count, kEnumBufferSize, records), kErrorSuccess);
    EXPECT_EQ(count, 2U);
    EXPECT_EQ(RemoteNames(records), (std::vector<std::wstring>{L"\\\\SRV000", L"\\\\SRV001", L"\\\\SRV002"}));

    // After the end it stays at the end.
    do {
        count = kEnumAllEntries;
        error = open->Next(count, kEnumBufferSize, records);
    } while (error == kErrorSuccess);
    EXPECT_EQ(error, kErrorNoMoreItems);
    count = kEnumAllEntries;
    EXPECT_EQ(open->Next(count, kEnumBufferSize, records), kErrorNoMoreItems);
    EXPECT_EQ(count, 0U);
}

TEST_F(FolderNetworkServicesTest, ShareEnumListsEveryShareHiddenOnesIncluded) {
    Load();
    FolderNetworkServices services(network_);
    const std::vector<std::wstring> all{L"admin$", L"C$", L"public", L"share"};
    for (const std::wstring server : {L"\\\\SERVER1", L"\\\\server1", L"Server1"}) {
        std::vector<ShareInfo> names{{L"stale"}};
        std::uint32_t resume = 0;
        EXPECT_EQ(services.ShareEnum(server, names, resume), kErrorSuccess) << server;
        EXPECT_EQ(testing::ShareNames(names), all) << server;
    }

    std::vector<ShareInfo> names{{L"stale"}};
    std::uint32_t resume = 0;
    EXPECT_EQ(services.ShareEnum(L"\\\\NOBODY", names, resume), kErrorBadNetPath);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(services.ShareEnum(L"", names, resume), kErrorBadNetPath);
    EXPECT_EQ(services.ShareEnum(L"\\\\SERVER1\\share", names, resume), kErrorBadNetPath);
}

TEST_F(FolderNetworkServicesTest, ShareEnumPagesWithTheResumeHandle) {
    for (int i = 0; i < 70; ++i) {
        tree_.MakeDir("Microsoft Windows Network/OFFICE/MANY/s" + std::to_string(100 + i) + (i % 10 == 0 ? "$" : ""));
    }
    Load();
    std::vector<std::wstring> expected;
    for (int i = 0; i < 70; ++i) {
        expected.push_back(L"s" + std::to_wstring(100 + i) + (i % 10 == 0 ? L"$" : L""));
    }

    FolderNetworkServices services(network_);
    std::vector<std::wstring> all;
    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;
    std::vector<std::pair<ErrorCode, std::size_t>> pages;
    std::vector<std::uint32_t> resumes;
    ErrorCode error = kErrorMoreData;
    while (error == kErrorMoreData && pages.size() < 10) {
        error = services.ShareEnum(L"\\\\many", names, resume);
        pages.emplace_back(error, names.size());
        resumes.push_back(resume);
        for (const auto& name : testing::ShareNames(names)) {
            all.push_back(name);
        }
    }
    const std::vector<std::pair<ErrorCode, std::size_t>> expectedPages{
        {kErrorMoreData, 32}, {kErrorMoreData, 32}, {kErrorSuccess, 6}};
    EXPECT_EQ(pages, expectedPages);
    EXPECT_EQ(resumes, (std::vector<std::uint32_t>{32, 64, 70}));
    EXPECT_EQ(all, expected);

    // Another page size; a resume handle past the end gives an empty last page.
    FolderNetworkServices small(network_, 25);
    resume = 50;
    EXPECT_EQ(small.ShareEnum(L"\\\\MANY", names, resume), kErrorSuccess);
    EXPECT_EQ(testing::ShareNames(names), std::vector<std::wstring>(expected.begin() + 50, expected.end()));
    resume = 1000;
    EXPECT_EQ(small.ShareEnum(L"\\\\MANY", names, resume), kErrorSuccess);
    EXPECT_TRUE(names.empty());
}

TEST_F(FolderNetworkServicesTest, PagesComeFromTheListingOfTheFirstPage) {
    for (int i = 0; i < 10; ++i) {
        tree_.MakeDir("Microsoft Windows Network/OFFICE/MANY/s" + std::to_string(10 + i));
    }
    Load();
    FolderNetworkServices services(network_, 4);
    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;
    ASSERT_EQ(services.ShareEnum(L"\\\\MANY", names, resume), kErrorMoreData);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"s10", L"s11", L"s12", L"s13"}));
    // A share made now sorts first: the pages of this enumeration neither repeat nor skip a name
    // for it, so the server's folder is not listed again for each page.
    tree_.MakeDir("Microsoft Windows Network/OFFICE/MANY/s0");
    ASSERT_EQ(services.ShareEnum(L"\\\\MANY", names, resume), kErrorMoreData);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"s14", L"s15", L"s16", L"s17"}));
    ASSERT_EQ(services.ShareEnum(L"\\\\MANY", names, resume), kErrorSuccess);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"s18", L"s19"}));
    // The next enumeration lists the folder afresh.
    resume = 0;
    ASSERT_EQ(services.ShareEnum(L"\\\\many", names, resume), kErrorMoreData);
    EXPECT_EQ(names.front().name, L"s0");
}

TEST_F(FolderNetworkServicesTest, FaultsReachTheEnumerations) {
    tree_.MakeFile("network-faults.txt", "unreachable \\\\server2\n"
                                         "deny \\\\SERVER1\\share\n"
                                         "deny \\\\alpha\n");
    Load();
    ASSERT_TRUE(network_.FaultFileErrors().empty());
    FolderNetworkServices services(network_);

    // An unreachable server is still in its domain's list but cannot be asked for anything.
    const auto office = Record(kDisplayTypeDomain, kUsageContainer, L"OFFICE", kWindowsNetwork);
    EXPECT_EQ(RemoteNames(EnumerateAll(services, &office).records), std::vector<std::wstring>{L"\\\\Server2"});
    const auto server2 = Record(kDisplayTypeServer, kUsageContainer, L"\\\\Server2", kWindowsNetwork);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(services.OpenEnum(&server2, error), nullptr);
    EXPECT_EQ(error, kErrorBadNetPath);
    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;
    EXPECT_EQ(services.ShareEnum(L"\\\\Server2", names, resume), kErrorBadNetPath);
    EXPECT_TRUE(names.empty());

    // A denied share is still listed; a denied server refuses to list anything.
    EXPECT_EQ(services.ShareEnum(L"\\\\SERVER1", names, resume), kErrorSuccess);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"admin$", L"C$", L"public", L"share"}));
    const auto server1 = Record(kDisplayTypeServer, kUsageContainer, L"\\\\SERVER1", kWindowsNetwork);
    EXPECT_EQ(EnumerateAll(services, &server1).records.size(), 2U);
    resume = 0;
    EXPECT_EQ(services.ShareEnum(L"\\\\ALPHA", names, resume), kErrorAccessDenied);
    const auto alpha = Record(kDisplayTypeServer, kUsageContainer, L"\\\\alpha", kWindowsNetwork);
    EXPECT_EQ(services.OpenEnum(&alpha, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
}

TEST_F(FolderNetworkServicesTest, RulesGiveSharesTheirTypeAndSwitchBrowsingOff) {
    tree_.MakeFile("network-faults.txt", "printer \\\\server1\\PUBLIC\n"
                                         "ipc \\\\SERVER1\\admin$\n"
                                         "ipc \\\\SERVER1\n"
                                         "nobrowse Microsoft Windows Network\n");
    Load();
    EXPECT_EQ(network_.FaultFileErrors().size(), 1U) << "a share type needs a share";
    FolderNetworkServices services(network_);
    std::vector<ShareInfo> shares;
    std::uint32_t resume = 0;
    ASSERT_EQ(services.ShareEnum(L"\\\\SERVER1", shares, resume), kErrorSuccess);
    std::vector<std::pair<std::wstring, std::uint32_t>> types;
    for (const auto& share : shares) {
        types.emplace_back(share.name, share.type);
    }
    const std::vector<std::pair<std::wstring, std::uint32_t>> expected{{L"admin$", kShareTypeIpc},
                                                                       {L"C$", kShareTypeDiskTree | kShareTypeSpecial},
                                                                       {L"public", kShareTypePrintQueue},
                                                                       {L"share", kShareTypeDiskTree}};
    EXPECT_EQ(types, expected);

    // The provider lists nothing, as without the browse service; its servers answer by name.
    const auto provider = Record(kDisplayTypeNetwork, kUsageContainer, kWindowsNetwork, kWindowsNetwork);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(services.OpenEnum(&provider, error), nullptr);
    EXPECT_EQ(error, kErrorNoBrowserServersFound);
    const auto other = Record(kDisplayTypeNetwork, kUsageContainer, L"Other Network", L"Other Network");
    EXPECT_EQ(EnumerateAll(services, &other).records.size(), 1U);
    const auto server = Record(kDisplayTypeServer, kUsageContainer, L"\\\\alpha", L"");
    EXPECT_EQ(EnumerateAll(services, &server).records.size(), 1U);
}

TEST_F(FolderNetworkServicesTest, EveryCallTakesTheConfiguredDelay) {
    Load();
    network_.Faults().callDelay = 20ms;
    FolderNetworkServices services(network_);
    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;

    const auto start = std::chrono::steady_clock::now();
    // OpenEnum, two Next calls (one record, then the end), two ShareEnum calls (one failing).
    const auto domain = Record(kDisplayTypeDomain, kUsageContainer, L"OFFICE", kWindowsNetwork);
    const auto result = EnumerateAll(services, &domain);
    EXPECT_EQ(result.calls, 2U);
    EXPECT_EQ(services.ShareEnum(L"\\\\SERVER1", names, resume), kErrorSuccess);
    EXPECT_EQ(services.ShareEnum(L"\\\\NOBODY", names, resume), kErrorBadNetPath);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Five calls; a little slack for coarse system timers.
    EXPECT_GE(elapsed, 5 * 20ms - 5ms);
}

} // namespace
} // namespace vk
