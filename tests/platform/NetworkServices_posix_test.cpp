#include "platform/NetworkServices.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(SystemNetworkServicesPosix, ThereIsNoNetwork) {
    const auto services = MakeSystemNetworkServices();
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(services->OpenEnum(nullptr, error), nullptr);
    EXPECT_EQ(error, kErrorNoNetwork);
    const NetResource domain{kDisplayTypeDomain, kUsageContainer, L"WORKGROUP", L""};
    EXPECT_EQ(services->OpenEnum(&domain, error), nullptr);
    EXPECT_EQ(error, kErrorNoNetwork);

    std::vector<ShareInfo> names{{L"stale"}};
    std::uint32_t resume = 7;
    EXPECT_EQ(services->ShareEnum(L"\\\\SERVER", names, resume), kErrorNoNetwork);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(resume, 7U);
}

} // namespace
} // namespace vk
