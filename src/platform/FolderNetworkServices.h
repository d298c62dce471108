#pragma once
// The network enumerations of a folder network, filled the way the system fills them:
//
//   top of the network   its providers        (display type network, container)
//   below a provider     its domains          (display type domain, container)
//   below a domain       its servers, \\NAME  (display type server, container)
//   below a server       its shares, \\NAME\share (display type share, connectable); hidden
//                        shares (ending in '$') are left out, as browse lists leave them out
//
// A parent is recognised by its display type and remote name (a domain also by its provider when
// the record names one). Enumeration buffers are filled by EnumRecordBytes; a server's shares are
// listed a page of names at a time, hidden ones included: the first page (resume handle 0) lists
// the server's folder, the pages after it come from that listing, as a server pages through its
// share table. An unreachable server gives
// kErrorBadNetPath, a denied one kErrorAccessDenied; a denied share is still listed. Every call
// takes the network's configured delay.

#include "platform/FolderNetwork.h"
#include "platform/NetworkServices.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vk {

class FolderNetworkServices final : public RecordListNetworkServices {
public:
    static constexpr std::size_t kDefaultSharesPerPage = 32;

    // network: loaded; not owned, and must outlive this object.
    // sharesPerPage: the most share names one ShareEnum call returns (at least 1).
    explicit FolderNetworkServices(const FolderNetwork& network, std::size_t sharesPerPage = kDefaultSharesPerPage);

    [[nodiscard]] ErrorCode ShareEnum(const std::wstring& server, std::vector<std::wstring>& names,
                                      std::uint32_t& resumeHandle) override;

protected:
    [[nodiscard]] ErrorCode ListTop(std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowProvider(const NetResource& provider, std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowDomain(const NetResource& domain, std::vector<NetResource>& records) override;
    [[nodiscard]] ErrorCode ListBelowServer(const NetResource& server, std::vector<NetResource>& records) override;
    void BeforeEachCall() override { network_.SimulateCallDelay(); }

private:
    const FolderNetwork& network_;
    std::size_t sharesPerPage_;
    // The share names of each server (by its folder) as its last first page listed them, until
    // its last page.
    std::mutex sharesLock_;
    std::map<std::wstring, std::vector<std::wstring>> listedShares_;
};

} // namespace vk
