#include "platform/NetworkServices.h"
#include "platform/SystemMessages.h"

#include <gtest/gtest.h>

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
    std::vector<std::wstring> names{L"stale"};
    std::uint32_t resume = 0;
    const ErrorCode error = services->ShareEnum(L"\\\\VK-NO-SUCH-SERVER", names, resume);
    EXPECT_NE(error, kErrorSuccess);
    EXPECT_NE(error, kErrorMoreData);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(resume, 0U);
}

} // namespace
} // namespace vk
