#include "platform/FolderNetworkServices.h"

#include "platform/UncPath.h"
#include "platform/WildcardName.h"

#include <algorithm>
#include <utility>

namespace vk {
namespace {

std::wstring ServerRemoteName(const FolderNetwork::Server& server) {
    return L"\\\\" + server.name;
}

// The server a record or a caller names, if it answers.
ErrorCode FindAnsweringServer(const FolderNetwork& network, std::wstring_view name,
                              const FolderNetwork::Server*& server) {
    server = network.FindServer(name);
    if (server == nullptr || network.IsUnreachable(server->name)) {
        return kErrorBadNetPath;
    }
    if (network.IsDenied(ServerRemoteName(*server))) {
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

ErrorCode ListProviders(const FolderNetwork& network, std::vector<NetResource>& records) {
    for (const auto& provider : network.Providers()) {
        records.push_back(NetResource{kDisplayTypeNetwork, kUsageContainer, provider.name, provider.name});
    }
    return kErrorSuccess;
}

ErrorCode ListDomains(const FolderNetwork& network, const NetResource& parent, std::vector<NetResource>& records) {
    for (const auto& provider : network.Providers()) {
        if (!EqualNamesNoCase(provider.name, parent.remoteName)) {
            continue;
        }
        if (!network.FolderExists(provider.nativePath)) {
            return kErrorBadNetPath;
        }
        for (const auto& domain : provider.domains) {
            records.push_back(NetResource{kDisplayTypeDomain, kUsageContainer, domain.name, provider.name});
        }
        return kErrorSuccess;
    }
    return kErrorBadNetPath;
}

// A domain of the parent's provider, or of any provider when the record names none.
ErrorCode ListServers(const FolderNetwork& network, const NetResource& parent, std::vector<NetResource>& records) {
    for (const auto& provider : network.Providers()) {
        if (!parent.provider.empty() && !EqualNamesNoCase(provider.name, parent.provider)) {
            continue;
        }
        for (const auto& domain : provider.domains) {
            if (!EqualNamesNoCase(domain.name, parent.remoteName)) {
                continue;
            }
            if (!network.FolderExists(domain.nativePath)) {
                return kErrorBadNetPath;
            }
            for (const std::size_t index : domain.servers) {
                const auto& server = network.Servers()[index];
                records.push_back(
                    NetResource{kDisplayTypeServer, kUsageContainer, ServerRemoteName(server), provider.name});
            }
            return kErrorSuccess;
        }
    }
    return kErrorBadNetPath;
}

ErrorCode ListShareRecords(const FolderNetwork& network, const NetResource& parent, std::vector<NetResource>& records) {
    const FolderNetwork::Server* server = nullptr;
    if (const ErrorCode error = FindAnsweringServer(network, parent.remoteName, server); error != kErrorSuccess) {
        return error;
    }
    std::vector<std::wstring> shares;
    if (const ErrorCode error = network.ListShares(*server, shares); error != kErrorSuccess) {
        return error;
    }
    const std::wstring prefix = ServerRemoteName(*server) + L"\\";
    for (const auto& share : shares) {
        if (!IsHiddenShare(share)) {
            records.push_back(NetResource{kDisplayTypeShare, kUsageConnectable, prefix + share, server->provider});
        }
    }
    return kErrorSuccess;
}

} // namespace

FolderNetworkServices::FolderNetworkServices(const FolderNetwork& network, std::size_t sharesPerPage)
    : network_(network), sharesPerPage_(std::max<std::size_t>(sharesPerPage, 1)) {}

ErrorCode FolderNetworkServices::ListTop(std::vector<NetResource>& records) {
    return ListProviders(network_, records);
}

ErrorCode FolderNetworkServices::ListBelowProvider(const NetResource& provider, std::vector<NetResource>& records) {
    return ListDomains(network_, provider, records);
}

ErrorCode FolderNetworkServices::ListBelowDomain(const NetResource& domain, std::vector<NetResource>& records) {
    return ListServers(network_, domain, records);
}

ErrorCode FolderNetworkServices::ListBelowServer(const NetResource& server, std::vector<NetResource>& records) {
    return ListShareRecords(network_, server, records);
}

ErrorCode FolderNetworkServices::ShareEnum(const std::wstring& server, std::vector<std::wstring>& names,
                                           std::uint32_t& resumeHandle) {
    names.clear();
    network_.SimulateCallDelay();
    const FolderNetwork::Server* found = nullptr;
    if (const ErrorCode error = FindAnsweringServer(network_, server, found); error != kErrorSuccess) {
        return error;
    }
    // A first page lists the server's folder; the pages after it come from that listing, so that
    // paging through many shares costs one listing, not one a page. An enumeration that resumes
    // after its listing was dropped (by another one's last page) lists again.
    std::unique_lock lock(sharesLock_);
    auto listed = listedShares_.find(found->nativePath);
    if (resumeHandle == 0 || listed == listedShares_.end()) {
        lock.unlock(); // no lock held while listing
        std::vector<std::wstring> shares;
        if (const ErrorCode error = network_.ListShares(*found, shares); error != kErrorSuccess) {
            return error;
        }
        lock.lock();
        listed = listedShares_.insert_or_assign(found->nativePath, std::move(shares)).first;
    }
    const std::vector<std::wstring>& shares = listed->second;
    // The resume handle is the position of the next name in the sorted list.
    const std::size_t start = std::min<std::size_t>(resumeHandle, shares.size());
    const std::size_t end = start + std::min(sharesPerPage_, shares.size() - start);
    names.assign(shares.begin() + static_cast<std::ptrdiff_t>(start),
                 shares.begin() + static_cast<std::ptrdiff_t>(end));
    resumeHandle = static_cast<std::uint32_t>(end);
    if (end < shares.size()) {
        return kErrorMoreData;
    }
    listedShares_.erase(listed);
    return kErrorSuccess;
}

} // namespace vk
