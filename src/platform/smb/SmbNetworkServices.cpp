#include "platform/smb/SmbNetworkServices.h"

#include "platform/UncPath.h"
#include "platform/WildcardName.h"
#include "platform/smb/SmbUrl.h"

#include <algorithm>

namespace vk {
namespace {

NetResource Record(std::uint32_t displayType, std::uint32_t usage, std::wstring remoteName) {
    return NetResource{displayType, usage, std::move(remoteName), std::wstring(kSmbProviderName)};
}

} // namespace

SmbNetworkServices::SmbNetworkServices(std::shared_ptr<SmbNetworkLister> client,
                                       const std::vector<std::wstring>& namedServers, bool browse)
    : client_(std::move(client)), browse_(browse) {
    for (const auto& server : namedServers) {
        const std::wstring_view name = TrimLeadingBackslashes(server);
        if (!name.empty() && !IsNamed(name)) {
            namedServers_.emplace_back(name);
        }
    }
}

bool SmbNetworkServices::IsNamed(std::wstring_view server) const {
    server = TrimLeadingBackslashes(server);
    return std::any_of(namedServers_.begin(), namedServers_.end(),
                       [server](const std::wstring& named) { return EqualNamesNoCase(named, server); });
}

ErrorCode SmbNetworkServices::ListTop(std::vector<NetResource>& records) {
    records.push_back(Record(kDisplayTypeNetwork, kUsageContainer, std::wstring(kSmbProviderName)));
    return kErrorSuccess;
}

ErrorCode SmbNetworkServices::ListBelowProvider(const NetResource& provider, std::vector<NetResource>& records) {
    if (provider.remoteName != kSmbProviderName) {
        return kErrorBadNetPath;
    }
    std::vector<SmbNetworkEntry> entries;
    const ErrorCode browsed = browse_ ? client_->ListNetwork(std::string(kSmbNetworkUrl), entries) : kErrorNoNetwork;
    for (const auto& entry : entries) {
        if (entry.kind == SmbNetworkEntry::Kind::kWorkgroup) {
            records.push_back(Record(kDisplayTypeDomain, kUsageContainer, entry.name));
        }
    }
    for (const auto& server : namedServers_) {
        records.push_back(Record(kDisplayTypeServer, kUsageContainer, L"\\\\" + server));
    }
    // Where nobody answers for the network and no server was named, there is no network to see.
    return browsed != kErrorSuccess && namedServers_.empty() ? kErrorNoNetwork : kErrorSuccess;
}

ErrorCode SmbNetworkServices::ListBelowDomain(const NetResource& workgroup, std::vector<NetResource>& records) {
    std::vector<SmbNetworkEntry> entries;
    if (const ErrorCode error = client_->ListNetwork(SmbWorkgroupUrl(workgroup.remoteName), entries);
        error != kErrorSuccess) {
        return error;
    }
    for (const auto& entry : entries) {
        if (entry.kind == SmbNetworkEntry::Kind::kServer && !IsNamed(entry.name)) {
            records.push_back(Record(kDisplayTypeServer, kUsageContainer, L"\\\\" + entry.name));
        }
    }
    return kErrorSuccess;
}

ErrorCode SmbNetworkServices::ListShares(const std::wstring& server, std::vector<SmbNetworkEntry>& shares) {
    const std::wstring unc = L"\\\\" + std::wstring(TrimLeadingBackslashes(server));
    UncPath path;
    if (!ParseUncPath(unc, path) || !path.components.empty()) {
        return kErrorBadNetPath;
    }
    if (const ErrorCode error = client_->ListNetwork(SmbUrl(path), shares); error != kErrorSuccess) {
        return error == kErrorPathNotFound ? kErrorBadNetPath : error;
    }
    std::erase_if(shares, [](const SmbNetworkEntry& entry) {
        return entry.kind != SmbNetworkEntry::Kind::kDiskShare && entry.kind != SmbNetworkEntry::Kind::kPrinterShare &&
               entry.kind != SmbNetworkEntry::Kind::kOtherShare;
    });
    return kErrorSuccess;
}

ErrorCode SmbNetworkServices::ListBelowServer(const NetResource& server, std::vector<NetResource>& records) {
    std::vector<SmbNetworkEntry> shares;
    const ErrorCode error = ListShares(server.remoteName, shares);
    const std::wstring prefix = L"\\\\" + std::wstring(TrimLeadingBackslashes(server.remoteName)) + L"\\";
    for (const auto& share : shares) {
        if (share.kind != SmbNetworkEntry::Kind::kOtherShare && !IsHiddenShare(share.name)) {
            records.push_back(Record(kDisplayTypeShare, kUsageConnectable, prefix + share.name));
        }
    }
    return error;
}

ErrorCode SmbNetworkServices::ShareEnum(const std::wstring& server, std::vector<std::wstring>& names,
                                        std::uint32_t& resumeHandle) {
    names.clear();
    std::vector<SmbNetworkEntry> shares;
    if (const ErrorCode error = ListShares(server, shares); error != kErrorSuccess) {
        return error;
    }
    // One page holds them all; a resume handle past the start carries on from where it points.
    for (std::size_t i = std::min<std::size_t>(resumeHandle, shares.size()); i < shares.size(); ++i) {
        names.push_back(std::move(shares[i].name));
    }
    resumeHandle = static_cast<std::uint32_t>(shares.size());
    return kErrorSuccess;
}

} // namespace vk
