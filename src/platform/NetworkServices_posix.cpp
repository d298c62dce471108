#include "platform/NetworkServices.h"

namespace vk {
namespace {

// POSIX systems have no Windows network; the folder network stands in for one.
class AbsentNetworkServices final : public NetworkServices {
public:
    std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* /*parent*/, ErrorCode& error) override {
        error = kErrorNoNetwork;
        return nullptr;
    }

    ErrorCode ShareEnum(const std::wstring& /*server*/, std::vector<ShareInfo>& names,
                        std::uint32_t& /*resumeHandle*/) override {
        names.clear();
        return kErrorNoNetwork;
    }
};

} // namespace

std::unique_ptr<NetworkServices> MakeSystemNetworkServices() {
    return std::make_unique<AbsentNetworkServices>();
}

} // namespace vk
