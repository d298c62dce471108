#pragma once
// Switching the program to an SMB network: servers reached through the SMB client library
// (Linux builds that have it).

#include "platform/NetworkEnvironment.h"
#include "platform/smb/SmbClient.h"

#include <string>
#include <vector>

namespace vk {

// Makes environment search the SMB network: its file system and its enumerations share one
// client. namedServers: the servers the user named (\\SERVER or SERVER), listed beside the
// workgroups of the browse service, which is asked only when browse is set. Fails (and leaves
// environment as it was) when the client cannot start.
[[nodiscard]] ErrorCode UseSmbNetwork(NetworkEnvironment& environment, SmbSettings settings,
                                      const std::vector<std::wstring>& namedServers, bool browse);

} // namespace vk
