#include "vkfind/SmbSetup.h"

#include "platform/WildcardName.h"
#include "vkfind/ScopeSelection.h"
#include "vkfind/Vkfind.h"

#include <algorithm>

#ifdef VK_HAVE_SMB
#include "platform/SystemMessages.h"
#include "platform/smb/SmbNetwork.h"
#endif

namespace vk {
namespace {

// \\SERVER of \\SERVER or \\SERVER\share[\folder...]; nothing for other texts.
std::optional<std::wstring> ServerOf(const std::wstring& scope) {
    const ScopeText text = ParseScope(scope);
    if (text.kind == ScopeText::Kind::kServer || text.kind == ScopeText::Kind::kShareOrFolder) {
        return std::wstring(text.server);
    }
    return std::nullopt;
}

#ifdef VK_HAVE_SMB
bool BrowseServiceAnswers(NetworkServices& network) {
    ErrorCode error = kErrorSuccess;
    const auto top = network.OpenEnum(nullptr, error);
    std::vector<NetResource> providers;
    std::uint32_t count = kEnumAllEntries;
    if (!top || top->Next(count, kEnumBufferSize, providers) != kErrorSuccess || providers.empty()) {
        return false;
    }
    return network.OpenEnum(&providers.front(), error) != nullptr;
}
#endif

} // namespace

std::vector<std::wstring> NamedServers(const VkfindOptions& options) {
    std::vector<std::wstring> texts = options.scopes;
    for (const auto& browsed : {options.sharesOf, options.listOf}) {
        if (browsed) {
            texts.push_back(*browsed);
        }
    }
    std::vector<std::wstring> servers;
    for (const auto& text : texts) {
        const auto server = ServerOf(text);
        if (server && std::none_of(servers.begin(), servers.end(),
                                   [&](const std::wstring& known) { return EqualNamesNoCase(known, *server); })) {
            servers.push_back(*server);
        }
    }
    return servers;
}

bool NeedsBrowsing(const VkfindOptions& options) {
    if (options.sharesOf || options.listOf) {
        return false;
    }
    return options.scopes.empty() || std::any_of(options.scopes.begin(), options.scopes.end(),
                                                 [](const auto& scope) { return !ServerOf(scope).has_value(); });
}

#ifdef VK_HAVE_SMB

std::optional<SmbSetupFailure> UseSmbNetwork(const VkfindOptions& options, NetworkEnvironment& environment,
                                             const EnvironmentVariables& variables) {
    SmbSettings settings;
    if (const auto problem = LoadSmbCredentials(options.authFile, variables, settings.credentials)) {
        return SmbSetupFailure{kExitUsage, *problem};
    }
    settings.port = options.smbPort;
    settings.timeoutMilliseconds = options.smbTimeoutSeconds * 1000;
    const std::vector<std::wstring> servers = NamedServers(options);
    if (const ErrorCode error = UseSmbNetwork(environment, std::move(settings), servers, NeedsBrowsing(options));
        error != kErrorSuccess) {
        return SmbSetupFailure{kExitNetworkUnreadable, L"cannot start the SMB client: " + SystemErrorText(error)};
    }
    // Without a server named, the network is what the browse service reports; where it does not
    // answer, a search would find nothing and say nothing.
    if (servers.empty() && !BrowseServiceAnswers(environment.Network())) {
        return SmbSetupFailure{kExitNetworkUnreadable,
                               L"the SMB browse service does not answer here: name the servers to search (\\\\SERVER, "
                               L"\\\\SERVER\\share)"};
    }
    return std::nullopt;
}

#else

std::optional<SmbSetupFailure> UseSmbNetwork(const VkfindOptions& /*options*/, NetworkEnvironment& /*environment*/,
                                             const EnvironmentVariables& /*variables*/) {
#ifdef _WIN32
    return SmbSetupFailure{kExitUsage, L"--smb is for Linux: on Windows vkfind searches the Windows network itself"};
#else
    return SmbSetupFailure{kExitUsage, L"this vkfind was built without the SMB client library (libsmbclient): --smb "
                                       L"is not there"};
#endif
}

#endif

} // namespace vk
