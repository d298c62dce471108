#include "platform/NetworkFunctions_win.h"
#include "platform/NetworkServices.h"
#include "platform/SystemMessages.h"
#include "support/ShareNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

// Reads an enumeration to its end, if the system opens one; a machine without a network
// (Wine) refuses to open it.
void ReadToTheEnd(NetworkServices& services, const NetResource* parent) {
    ErrorCode error = kErrorSuccess;
    const auto enumeration = services.OpenEnum(parent, error);
    if (!enumeration) {
        EXPECT_NE(error, kErrorSuccess);
        EXPECT_FALSE(SystemErrorText(error).empty());
        return;
    }
    EXPECT_EQ(error, kErrorSuccess);
    for (int call = 0; call < 1000; ++call) {
        std::uint32_t count = kEnumAllEntries;
        std::vector<NetResource> records;
        error = enumeration->Next(count, kEnumBufferSize, records);
        if (error != kErrorSuccess) {
            EXPECT_EQ(count, 0U);
            break;
        }
        EXPECT_EQ(count, records.size());
    }
    EXPECT_NE(error, kErrorSuccess);
}

TEST(SystemNetworkServicesWin, EnumerationFailsCleanlyOrEnds) {
    // Wine answers every call with "the network is not present or not started".
    const auto services = MakeSystemNetworkServices();
    ReadToTheEnd(*services, nullptr);

    const NetResource domain{kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", L"Microsoft Windows Network"};
    ReadToTheEnd(*services, &domain);
    const NetResource server{kDisplayTypeServer, kUsageContainer, L"\\\\VK-NO-SUCH-SERVER", L""};
    ReadToTheEnd(*services, &server);
}

TEST(SystemNetworkServicesWin, ShareEnumOfAnUnknownServerFails) {
    const auto services = MakeSystemNetworkServices();
    std::vector<ShareInfo> names{{L"stale"}};
    std::uint32_t resume = 0;
    const ErrorCode error = services->ShareEnum(L"\\\\VK-NO-SUCH-SERVER", names, resume);
    EXPECT_NE(error, kErrorSuccess);
    EXPECT_NE(error, kErrorMoreData);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(resume, 0U);
}

// --- The services over fakes of the system functions ----------------------------------------------

// What the fake functions hand out and what they were asked. The functions are plain function
// pointers, so they reach it through a global.
struct FakeSystem {
    // MPR
    std::vector<NetResource> records;
    std::size_t nextRecord = 0;
    DWORD openStatus = NO_ERROR;
    bool openedWithStart = false;
    NETRESOURCEW start{};
    std::wstring startRemoteName;
    std::wstring startProvider;
    std::vector<DWORD> askedCounts;
    std::vector<DWORD> askedBytes;
    int closes = 0;
    // NETAPI32
    struct Page {
        NET_API_STATUS status;
        std::vector<const wchar_t*> names; // nullptr: an entry without a name
        DWORD nextResume;
    };
    std::vector<Page> pages;
    std::wstring askedServer;
    std::vector<DWORD> askedResumes;
    std::vector<DWORD> askedLevels;
    std::vector<DWORD> askedLengths;
    std::map<void*, std::unique_ptr<std::uint8_t[]>> buffers; // handed out and not yet freed
    int frees = 0;
};

FakeSystem* theFake = nullptr;
const HANDLE kFakeHandle = reinterpret_cast<HANDLE>(0x5150);

DWORD WINAPI FakeOpenEnum(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW start, LPHANDLE handle) {
    EXPECT_EQ(scope, DWORD{RESOURCE_GLOBALNET});
    EXPECT_EQ(type, DWORD{RESOURCETYPE_ANY});
    EXPECT_EQ(usage, 0U);
    theFake->openedWithStart = start != nullptr;
    if (start) {
        theFake->start = *start;
        theFake->startRemoteName = start->lpRemoteName ? start->lpRemoteName : L"(null)";
        theFake->startProvider = start->lpProvider ? start->lpProvider : L"(null)";
    }
    *handle = theFake->openStatus == NO_ERROR ? kFakeHandle : nullptr;
    return theFake->openStatus;
}

// Fills the buffer as the system does: the records from its start, their strings from its end.
DWORD WINAPI FakeEnumResource(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD bytes) {
    EXPECT_EQ(handle, kFakeHandle);
    theFake->askedCounts.push_back(*count);
    theFake->askedBytes.push_back(*bytes);
    if (theFake->nextRecord >= theFake->records.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    auto* records = static_cast<NETRESOURCEW*>(buffer);
    auto* stringsEnd = reinterpret_cast<std::uint8_t*>(buffer) + *bytes;
    std::size_t used = 0;
    DWORD made = 0;
    const auto place = [&](const std::wstring& text) -> wchar_t* {
        if (text.empty()) {
            return nullptr;
        }
        stringsEnd -= (text.size() + 1) * sizeof(wchar_t);
        std::memcpy(stringsEnd, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        return reinterpret_cast<wchar_t*>(stringsEnd);
    };
    while (made < *count && theFake->nextRecord < theFake->records.size()) {
        const NetResource& record = theFake->records[theFake->nextRecord];
        const std::size_t need = EnumRecordBytes(record);
        if (used + need > *bytes) {
            break;
        }
        NETRESOURCEW& out = records[made];
        out = NETRESOURCEW{};
        out.dwScope = RESOURCE_GLOBALNET;
        out.dwDisplayType = record.displayType;
        out.dwUsage = record.usage;
        out.lpRemoteName = place(record.remoteName);
        out.lpProvider = place(record.provider);
        used += need;
        ++made;
        ++theFake->nextRecord;
    }
    if (made == 0) {
        *bytes = static_cast<DWORD>(EnumRecordBytes(theFake->records[theFake->nextRecord]));
        return ERROR_MORE_DATA;
    }
    *count = made;
    return NO_ERROR;
}

DWORD WINAPI FakeCloseEnum(HANDLE handle) {
    EXPECT_EQ(handle, kFakeHandle);
    ++theFake->closes;
    return NO_ERROR;
}

NET_API_STATUS WINAPI FakeShareEnum(LMSTR server, DWORD level, LPBYTE* buffer, DWORD length, LPDWORD read,
                                    LPDWORD total, LPDWORD resume) {
    theFake->askedServer = server ? server : L"(null)";
    theFake->askedLevels.push_back(level);
    theFake->askedLengths.push_back(length);
    theFake->askedResumes.push_back(*resume);
    const std::size_t call = theFake->askedResumes.size() - 1;
    if (call >= theFake->pages.size()) {
        *buffer = nullptr;
        return ERROR_BAD_NETPATH;
    }
    const FakeSystem::Page& page = theFake->pages[call];
    // One allocation: the records, then the names.
    std::size_t size = page.names.size() * sizeof(SHARE_INFO_1);
    for (const wchar_t* name : page.names) {
        size += name ? (wcslen(name) + 1) * sizeof(wchar_t) : 0;
    }
    auto memory = std::make_unique<std::uint8_t[]>(std::max<std::size_t>(size, 1));
    auto* shares = reinterpret_cast<SHARE_INFO_1*>(memory.get());
    auto* text = reinterpret_cast<wchar_t*>(memory.get() + page.names.size() * sizeof(SHARE_INFO_1));
    for (std::size_t i = 0; i < page.names.size(); ++i) {
        shares[i] = SHARE_INFO_1{};
        // The type follows the name: the inter-process share, a printer, administrative shares.
        const std::wstring name = page.names[i] ? page.names[i] : L"";
        shares[i].shi1_type = name == L"IPC$"        ? STYPE_IPC | STYPE_SPECIAL
                              : name == L"Laser"     ? STYPE_PRINTQ
                              : name.ends_with(L'$') ? STYPE_DISKTREE | STYPE_SPECIAL
                                                     : STYPE_DISKTREE;
        if (page.names[i]) {
            wcscpy(text, page.names[i]);
            shares[i].shi1_netname = text;
            text += wcslen(page.names[i]) + 1;
        }
    }
    *buffer = memory.get();
    theFake->buffers[memory.get()] = std::move(memory);
    *read = static_cast<DWORD>(page.names.size());
    *total = 99;
    *resume = page.nextResume;
    return page.status;
}

NET_API_STATUS WINAPI FakeBufferFree(LPVOID buffer) {
    ++theFake->frees;
    EXPECT_EQ(theFake->buffers.erase(buffer), 1U) << "a buffer the fake did not hand out, or freed twice";
    return NERR_Success;
}

class NetworkServicesOverFakes : public ::testing::Test {
protected:
    void SetUp() override { theFake = &fake; }
    void TearDown() override { theFake = nullptr; }

    std::unique_ptr<NetworkServices> services =
        MakeNetworkServices({&FakeOpenEnum, &FakeEnumResource, &FakeCloseEnum, &FakeShareEnum, &FakeBufferFree});
    FakeSystem fake;
};

TEST_F(NetworkServicesOverFakes, ResourcesComeAsManyAsFitAndTheCountGoesToTheSystem) {
    for (int i = 0; i < 5; ++i) {
        fake.records.push_back({kDisplayTypeServer, kUsageContainer, L"\\\\SERVER" + std::to_wstring(i), L"Net"});
    }
    fake.records.push_back({kDisplayTypeDomain, kUsageContainer, std::wstring(300, L'L'), L""});
    ErrorCode error = kErrorInvalidParameter;
    auto enumeration = services->OpenEnum(nullptr, error);
    ASSERT_TRUE(enumeration);
    EXPECT_EQ(error, kErrorSuccess);
    EXPECT_FALSE(fake.openedWithStart);

    // Room for two of these records with their strings.
    const std::size_t room = 2 * EnumRecordBytes(fake.records[0]) + 10;
    std::uint32_t count = kEnumAllEntries;
    std::vector<NetResource> out;
    ASSERT_EQ(enumeration->Next(count, room, out), kErrorSuccess);
    EXPECT_EQ(count, 2U);
    ASSERT_EQ(out.size(), 2U);
    EXPECT_EQ(out[1].remoteName, L"\\\\SERVER1");
    EXPECT_EQ(out[1].provider, L"Net");
    EXPECT_EQ(out[1].displayType, kDisplayTypeServer);
    EXPECT_EQ(out[1].usage, kUsageContainer);

    // The count the last call returned is what the engine asks for next: the system gets it.
    count = 1;
    ASSERT_EQ(enumeration->Next(count, room, out), kErrorSuccess);
    EXPECT_EQ(count, 1U);
    count = 5;
    ASSERT_EQ(enumeration->Next(count, room, out), kErrorSuccess);
    EXPECT_EQ(count, 2U);
    EXPECT_EQ(fake.askedCounts, (std::vector<DWORD>{kEnumAllEntries, 1, 5}));
    EXPECT_EQ(fake.askedBytes, (std::vector<DWORD>(3, static_cast<DWORD>(room))));
    ASSERT_EQ(out.size(), 5U);
    EXPECT_EQ(out[4].remoteName, L"\\\\SERVER4");

    // A record too large for the buffer: "more data", nothing read.
    count = kEnumAllEntries;
    EXPECT_EQ(enumeration->Next(count, room, out), kErrorMoreData);
    EXPECT_EQ(count, 0U);
    // With room for it, it comes, an empty provider as an empty name; then the end.
    ASSERT_EQ(enumeration->Next(count = kEnumAllEntries, kEnumBufferSize, out), kErrorSuccess);
    EXPECT_EQ(out.back().remoteName, std::wstring(300, L'L'));
    EXPECT_EQ(out.back().provider, L"");
    EXPECT_EQ(enumeration->Next(count = kEnumAllEntries, kEnumBufferSize, out), kErrorNoMoreItems);
    EXPECT_EQ(count, 0U);

    EXPECT_EQ(fake.closes, 0);
    enumeration.reset();
    EXPECT_EQ(fake.closes, 1);
}

TEST_F(NetworkServicesOverFakes, AParentGoesBackToTheSystemAsItsRecordAndFailuresAreReported) {
    const NetResource domain{kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", L"Microsoft Windows Network"};
    ErrorCode error = kErrorInvalidParameter;
    auto enumeration = services->OpenEnum(&domain, error);
    ASSERT_TRUE(enumeration);
    ASSERT_TRUE(fake.openedWithStart);
    EXPECT_EQ(fake.start.dwScope, DWORD{RESOURCE_GLOBALNET});
    EXPECT_EQ(fake.start.dwDisplayType, kDisplayTypeDomain);
    EXPECT_EQ(fake.start.dwUsage, kUsageContainer);
    EXPECT_EQ(fake.startRemoteName, L"WORKGROUP");
    EXPECT_EQ(fake.startProvider, L"Microsoft Windows Network");
    enumeration.reset();

    const NetResource unnamed{kDisplayTypeNetwork, kUsageContainer, L"", L""};
    enumeration = services->OpenEnum(&unnamed, error);
    EXPECT_EQ(fake.startRemoteName, L"(null)");
    EXPECT_EQ(fake.startProvider, L"(null)");
    enumeration.reset();

    fake.openStatus = ERROR_NO_NETWORK;
    EXPECT_FALSE(services->OpenEnum(nullptr, error));
    EXPECT_EQ(error, kErrorNoNetwork);
    EXPECT_EQ(fake.closes, 2) << "only opened enumerations are closed";
}

TEST_F(NetworkServicesOverFakes, SharesComeAPageAtATimeWithTheResumeHandleAndEveryBufferIsFreed) {
    fake.pages = {{ERROR_MORE_DATA, {L"C$", L"Public"}, 2},
                  {ERROR_MORE_DATA, {nullptr, L"Music"}, 4},
                  {NERR_Success, {L"IPC$", L"Laser"}, 0},
                  {ERROR_ACCESS_DENIED, {}, 0}};
    std::vector<ShareInfo> names{{L"stale"}};
    std::uint32_t resume = 0;
    EXPECT_EQ(services->ShareEnum(L"\\\\ATLAS", names, resume), kErrorMoreData);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"C$", L"Public"}));
    EXPECT_EQ(names[0].type, kShareTypeDiskTree | kShareTypeSpecial);
    EXPECT_EQ(names[1].type, kShareTypeDiskTree);
    EXPECT_EQ(resume, 2U);
    EXPECT_EQ(services->ShareEnum(L"\\\\ATLAS", names, resume), kErrorMoreData);
    EXPECT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"Music"}))
        << "an entry without a name is left out";
    EXPECT_EQ(resume, 4U);
    EXPECT_EQ(services->ShareEnum(L"\\\\ATLAS", names, resume), kErrorSuccess);
    ASSERT_EQ(testing::ShareNames(names), (std::vector<std::wstring>{L"IPC$", L"Laser"}));
    EXPECT_EQ(names[0].type, kShareTypeIpc | kShareTypeSpecial);
    EXPECT_EQ(names[1].type, kShareTypePrintQueue);

    // A failure lists nothing and leaves the resume handle alone; its buffer is freed all the same.
    resume = 7;
    EXPECT_EQ(services->ShareEnum(L"\\\\ATLAS", names, resume), kErrorAccessDenied);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(resume, 7U);

    EXPECT_EQ(fake.askedServer, L"\\\\ATLAS");
    EXPECT_EQ(fake.askedResumes, (std::vector<DWORD>{0, 2, 4, 7}));
    EXPECT_EQ(fake.askedLevels, (std::vector<DWORD>(4, 1)));
    EXPECT_EQ(fake.askedLengths, (std::vector<DWORD>(4, MAX_PREFERRED_LENGTH)));
    EXPECT_EQ(fake.frees, 4);
    EXPECT_TRUE(fake.buffers.empty());
}

} // namespace
} // namespace vk
