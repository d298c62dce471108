#include "platform/NetworkServices.h"

#include "platform/NetworkFunctions_win.h"

#include <algorithm>

namespace vk {
namespace {

static_assert(sizeof(NETRESOURCEW) == kEnumRecordFixedBytes, "the record size the folder network counts with");

// The largest buffer one enumeration call gets. The system returns as many records as fit, so a
// smaller buffer than asked for only means fewer records a call.
constexpr std::size_t kMaxEnumBufferSize = 1U << 20;

NetResource FromSystem(const NETRESOURCEW& record) {
    NetResource resource;
    resource.displayType = record.dwDisplayType;
    resource.usage = record.dwUsage;
    if (record.lpRemoteName != nullptr) {
        resource.remoteName = record.lpRemoteName;
    }
    if (record.lpProvider != nullptr) {
        resource.provider = record.lpProvider;
    }
    return resource;
}

class SystemResourceEnumeration final : public ResourceEnumeration {
public:
    SystemResourceEnumeration(const NetworkFunctions& functions, HANDLE handle)
        : functions_(functions), handle_(handle) {}
    SystemResourceEnumeration(const SystemResourceEnumeration&) = delete;
    SystemResourceEnumeration& operator=(const SystemResourceEnumeration&) = delete;
    ~SystemResourceEnumeration() override { functions_.closeEnum(handle_); }

    ErrorCode Next(std::uint32_t& count, std::size_t bufferSize, std::vector<NetResource>& out) override {
        const std::size_t size = std::min(bufferSize, kMaxEnumBufferSize);
        // Whole records, so that the buffer is aligned for them; the system is told the exact
        // size. The strings go into the same buffer behind the records.
        buffer_.resize(std::max<std::size_t>(1, (size + sizeof(NETRESOURCEW) - 1) / sizeof(NETRESOURCEW)));
        DWORD entries = count;
        DWORD bytes = static_cast<DWORD>(size);
        const DWORD status = functions_.enumResource(handle_, &entries, buffer_.data(), &bytes);
        if (status != NO_ERROR) {
            count = 0;
            return status;
        }
        entries = std::min<DWORD>({entries, count, static_cast<DWORD>(buffer_.size())});
        for (DWORD i = 0; i < entries; ++i) {
            out.push_back(FromSystem(buffer_[i]));
        }
        count = entries;
        return kErrorSuccess;
    }

private:
    NetworkFunctions functions_;
    HANDLE handle_;
    std::vector<NETRESOURCEW> buffer_;
};

// Frees a buffer that a server function allocated.
struct NetApiBufferDeleter {
    decltype(&NetApiBufferFree) bufferFree;
    void operator()(void* buffer) const { bufferFree(buffer); }
};
using NetApiBuffer = std::unique_ptr<void, NetApiBufferDeleter>;

class SystemNetworkServices final : public NetworkServices {
public:
    explicit SystemNetworkServices(const NetworkFunctions& functions) : functions_(functions) {}

    std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent, ErrorCode& error) override {
        // The parent goes back to the system as the record it came from: the fields that name
        // the resource and the provider that reported it.
        std::wstring remoteName;
        std::wstring provider;
        NETRESOURCEW record{};
        NETRESOURCEW* start = nullptr;
        if (parent != nullptr) {
            remoteName = parent->remoteName;
            provider = parent->provider;
            record.dwScope = RESOURCE_GLOBALNET;
            record.dwType = RESOURCETYPE_ANY;
            record.dwDisplayType = parent->displayType;
            record.dwUsage = parent->usage;
            record.lpRemoteName = remoteName.empty() ? nullptr : remoteName.data();
            record.lpProvider = provider.empty() ? nullptr : provider.data();
            start = &record;
        }
        HANDLE handle = nullptr;
        const DWORD status = functions_.openEnum(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, start, &handle);
        if (status != NO_ERROR) {
            error = status;
            return nullptr;
        }
        error = kErrorSuccess;
        return std::make_unique<SystemResourceEnumeration>(functions_, handle);
    }

    ErrorCode ShareEnum(const std::wstring& server, std::vector<ShareInfo>& page,
                        std::uint32_t& resumeHandle) override {
        page.clear();
        std::wstring serverName = server;
        LPBYTE data = nullptr;
        DWORD entries = 0;
        DWORD total = 0;
        DWORD resume = resumeHandle;
        const NET_API_STATUS status = functions_.shareEnum(serverName.empty() ? nullptr : serverName.data(), 1, &data,
                                                           MAX_PREFERRED_LENGTH, &entries, &total, &resume);
        const NetApiBuffer owner(data, NetApiBufferDeleter{functions_.bufferFree});
        if (status != NERR_Success && status != ERROR_MORE_DATA) {
            return status;
        }
        const auto* shares = reinterpret_cast<const SHARE_INFO_1*>(data);
        for (DWORD i = 0; shares != nullptr && i < entries; ++i) {
            if (shares[i].shi1_netname != nullptr) {
                page.push_back({shares[i].shi1_netname, shares[i].shi1_type});
            }
        }
        resumeHandle = resume;
        return status;
    }

private:
    NetworkFunctions functions_;
};

} // namespace

std::unique_ptr<NetworkServices> MakeNetworkServices(const NetworkFunctions& functions) {
    return std::make_unique<SystemNetworkServices>(functions);
}

std::unique_ptr<NetworkServices> MakeSystemNetworkServices() {
    return MakeNetworkServices(NetworkFunctions{});
}

} // namespace vk
