// The SMB network's enumerations over listings of our own: the workgroups and servers of a
// browse service, which Samba on loopback cannot offer (browsing needs broadcasts).

#include "platform/smb/SmbNetworkServices.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace vk {
namespace {

using Kind = SmbNetworkEntry::Kind;

class FakeLister final : public SmbNetworkLister {
public:
    ErrorCode ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) override {
        asked.push_back(url);
        entries.clear();
        const auto found = listings.find(url);
        if (found == listings.end()) {
            return kErrorBadNetPath;
        }
        entries = found->second;
        return kErrorSuccess;
    }
    std::map<std::string, std::vector<SmbNetworkEntry>> listings;
    std::vector<std::string> asked;
};

std::shared_ptr<FakeLister> Network() {
    auto lister = std::make_shared<FakeLister>();
    lister->listings["smb://"] = {{L"WORKGROUP", Kind::kWorkgroup}, {L"LAB", Kind::kWorkgroup}};
    lister->listings["smb://WORKGROUP/"] = {{L"ATLAS", Kind::kServer}, {L"BOREAS", Kind::kServer}};
    lister->listings["smb://BOREAS/"] = {{L"Docs", Kind::kDiskShare},
                                         {L"Users$", Kind::kDiskShare},
                                         {L"Laser", Kind::kPrinterShare},
                                         {L"IPC$", Kind::kOtherShare},
                                         {L"odd", Kind::kOther}};
    return lister;
}

const NetResource kProvider{kDisplayTypeNetwork, kUsageContainer, std::wstring(kSmbProviderName),
                            std::wstring(kSmbProviderName)};

std::vector<NetResource> Children(NetworkServices& services, const NetResource* parent, ErrorCode& error) {
    std::vector<NetResource> records;
    const auto enumeration = services.OpenEnum(parent, error);
    if (!enumeration) {
        return records;
    }
    std::uint32_t count = kEnumAllEntries;
    while (enumeration->Next(count, kEnumBufferSize, records) == kErrorSuccess) {
        count = kEnumAllEntries;
    }
    return records;
}

std::vector<std::wstring> Names(const std::vector<NetResource>& records) {
    std::vector<std::wstring> names;
    for (const auto& record : records) {
        names.push_back(record.remoteName);
        EXPECT_EQ(record.provider, kSmbProviderName);
    }
    return names;
}

TEST(SmbNetworkServices, WorkgroupsOfTheBrowseServiceThenTheNamedServers) {
    const auto lister = Network();
    SmbNetworkServices services(lister, {L"\\\\BOREAS", L"10.0.0.7", L"\\\\boreas"});
    ErrorCode error = kErrorSuccess;
    const auto top = Children(services, nullptr, error);
    ASSERT_EQ(top.size(), 1U);
    EXPECT_EQ(top[0].remoteName, kSmbProviderName);
    EXPECT_EQ(top[0].displayType, kDisplayTypeNetwork);

    const auto below = Children(services, &kProvider, error);
    EXPECT_EQ(error, kErrorSuccess);
    EXPECT_EQ(Names(below), (std::vector<std::wstring>{L"WORKGROUP", L"LAB", L"\\\\BOREAS", L"\\\\10.0.0.7"}));
    EXPECT_EQ(below[0].displayType, kDisplayTypeDomain);
    EXPECT_EQ(below[2].displayType, kDisplayTypeServer);
    EXPECT_EQ(below[2].usage, kUsageContainer);

    // A named server is listed once: above, not again in its workgroup.
    const auto workgroup = Children(services, &below[0], error);
    EXPECT_EQ(Names(workgroup), (std::vector<std::wstring>{L"\\\\ATLAS"}));
    EXPECT_EQ(workgroup[0].displayType, kDisplayTypeServer);
    // A workgroup whose servers cannot be listed has none.
    EXPECT_TRUE(Children(services, &below[1], error).empty());
    EXPECT_EQ(error, kErrorBadNetPath);
}

TEST(SmbNetworkServices, WithoutABrowseServiceOnlyTheNamedServers) {
    auto lister = std::make_shared<FakeLister>();
    SmbNetworkServices services(lister, {L"\\\\FILESRV"});
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(Children(services, &kProvider, error)), (std::vector<std::wstring>{L"\\\\FILESRV"}));
    EXPECT_EQ(error, kErrorSuccess);

    SmbNetworkServices nobody(lister, {});
    EXPECT_TRUE(Children(nobody, &kProvider, error).empty());
    EXPECT_EQ(error, kErrorNoNetwork);
}

TEST(SmbNetworkServices, TheBrowseServiceIsNotAskedWhenNotWanted) {
    const auto lister = Network();
    SmbNetworkServices services(lister, {L"\\\\ATLAS"}, false);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(Children(services, &kProvider, error)), (std::vector<std::wstring>{L"\\\\ATLAS"}));
    EXPECT_TRUE(lister->asked.empty());
}

TEST(SmbNetworkServices, AServersBrowseListAndItsShareList) {
    const auto lister = Network();
    SmbNetworkServices services(lister, {});
    const NetResource server{kDisplayTypeServer, kUsageContainer, L"\\\\BOREAS", std::wstring(kSmbProviderName)};
    ErrorCode error = kErrorSuccess;
    const auto shares = Children(services, &server, error);
    EXPECT_EQ(Names(shares), (std::vector<std::wstring>{L"\\\\BOREAS\\Docs", L"\\\\BOREAS\\Laser"}));
    for (const auto& share : shares) {
        EXPECT_EQ(share.displayType, kDisplayTypeShare);
        EXPECT_EQ(share.usage, kUsageConnectable);
        EXPECT_TRUE(Children(services, &share, error).empty());
        EXPECT_EQ(error, kErrorNotContainer);
    }

    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;
    EXPECT_EQ(services.ShareEnum(L"\\\\BOREAS", names, resume), kErrorSuccess);
    std::vector<std::pair<std::wstring, std::uint32_t>> types;
    for (const auto& share : names) {
        types.emplace_back(share.name, share.type);
    }
    EXPECT_EQ(types,
              (std::vector<std::pair<std::wstring, std::uint32_t>>{{L"Docs", kShareTypeDiskTree},
                                                                   {L"Users$", kShareTypeDiskTree | kShareTypeSpecial},
                                                                   {L"Laser", kShareTypePrintQueue},
                                                                   {L"IPC$", kShareTypeIpc}}));
    EXPECT_EQ(services.ShareEnum(L"\\\\NOWHERE", names, resume), kErrorBadNetPath);
    EXPECT_TRUE(names.empty());
}

} // namespace
} // namespace vk
