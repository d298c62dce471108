#pragma once
// The console tool's SMB network: the servers its command line names and the switch to SMB
// servers that --smb asks for (Linux builds that have the SMB client library).

#include "platform/NetworkEnvironment.h"
#include "vkfind/CommandLine.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vk {

// Whether this build can reach SMB servers itself (--smb).
#ifdef VK_HAVE_SMB
inline constexpr bool kSmbAvailable = true;
#else
inline constexpr bool kSmbAvailable = false;
#endif

// The servers the command line names, as \\SERVER: those of the SCOPEs and of --shares and
// --list, each once.
[[nodiscard]] std::vector<std::wstring> NamedServers(const VkfindOptions& options);

// Whether the workgroups of the browse service are wanted: for the whole network and for parts
// of the tree named by path, not where only servers, shares and folders are named.
[[nodiscard]] bool NeedsBrowsing(const VkfindOptions& options);

struct SmbSetupFailure {
    int exitStatus = 0;
    std::wstring message;
};

// The value of an environment variable, or nothing when it is not set.
using EnvironmentVariables = std::function<std::optional<std::string>(const char* name)>;

// How many SMB helper processes may make calls at once (1 to 64); unset, as many as the share
// workers.
inline constexpr const char* kSmbHelpersVariable = "VARNOKLE_SMB_HELPERS";

// Switches environment to the SMB network that options ask for, with the credentials of the
// authentication file or the environment and the helpers of VARNOKLE_SMB_HELPERS. A call lost
// with its helper process is reported on standard error. Returns what went wrong, or nothing.
[[nodiscard]] std::optional<SmbSetupFailure>
UseSmbNetwork(const VkfindOptions& options, NetworkEnvironment& environment, const EnvironmentVariables& variables);

} // namespace vk
