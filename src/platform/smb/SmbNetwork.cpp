#include "platform/smb/SmbNetwork.h"

#include "platform/smb/SmbFileSystem.h"
#include "platform/smb/SmbNetworkServices.h"

#include <memory>

namespace vk {

ErrorCode UseSmbNetwork(NetworkEnvironment& environment, SmbSettings settings,
                        const std::vector<std::wstring>& namedServers, bool browse) {
    ErrorCode error = kErrorSuccess;
    std::shared_ptr<SmbClient> client = SmbClient::Make(std::move(settings), error);
    if (!client) {
        return error;
    }
    environment.UseNetwork(std::make_unique<SmbFileSystem>(client),
                           std::make_unique<SmbNetworkServices>(client, namedServers, browse));
    return kErrorSuccess;
}

} // namespace vk
