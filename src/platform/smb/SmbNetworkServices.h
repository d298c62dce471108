#pragma once
// The network enumerations of an SMB network, filled the way the system fills them:
//
//   top of the network  one provider, kSmbProviderName (display type network, container)
//   below it            the workgroups the SMB browse service reports (domain, container), then
//                       the servers named to the program (server, container), so that a server
//                       is found where no browse service answers; the browse service is not
//                       asked when the named servers are all that is wanted (asking one that is
//                       not there takes the better part of a second)
//   below a workgroup   its servers as the browse service reports them, \\NAME (server,
//                       container), less those named to the program, which are listed above
//   below a server      its disk and printer shares, \\NAME\share (share, connectable); hidden
//                       shares (ending in '$') are left out, as browse lists leave them out
//
// A server's shares (ShareEnum) are every share it reports, hidden and inter-process ones
// included, in one page. A server that does not answer gives kErrorBadNetPath, one that refuses
// the user kErrorAccessDenied; where neither the browse service answers nor a server was named,
// the top enumeration fails with kErrorNoNetwork.

#include "platform/NetworkServices.h"
#include "platform/smb/SmbClient.h"

#include <memory>
#include <string>
#include <vector>

namespace vk {

inline constexpr std::wstring_view kSmbProviderName = L"Microsoft Windows Network";

class SmbNetworkServices final : public RecordListNetworkServices {
public:
    // namedServers: servers by name or address, with or without the leading backslashes.
    // browse: whether to ask the browse service for the workgroups.
    SmbNetworkServices(std::shared_ptr<SmbNetworkLister> client, const std::vector<std::wstring>& namedServers,
                       bool browse = true);

    [[nodiscard]] ErrorCode ShareEnum(const std::wstring& server, std::vector<std::wstring>& names,
                                      std::uint32_t& resumeHandle) override;

protected:
    [[nodiscard]] ErrorCode ListTop(std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowProvider(const NetResource& provider, std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowDomain(const NetResource& workgroup, std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowServer(const NetResource& server, std::vector<NetResource>& records) override;

private:
    [[nodiscard]] bool IsNamed(std::wstring_view server) const;
    [[nodiscard]] ErrorCode ListShares(const std::wstring& server, std::vector<SmbNetworkEntry>& shares);

    std::shared_ptr<SmbNetworkLister> client_;
    std::vector<std::wstring> namedServers_; // without the backslashes
    bool browse_;
};

} // namespace vk
