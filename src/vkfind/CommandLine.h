#pragma once
// The console tool's command line.

#include "vkfind/RowWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vk {

struct VkfindOptions {
    std::wstring networkRoot;   // a folder network; empty: the system's network
    bool smb = false;           // SMB servers through the SMB client library
    std::uint16_t smbPort = 0;  // 0: the standard ports
    int smbTimeoutSeconds = 10; // how long to wait for a server
    std::wstring serversFile;   // servers added by name (ServersFile.h); empty: none
    std::wstring authFile;      // the SMB credentials' file; empty: from the environment
    std::wstring fileMask;
    std::wstring shareMask;
    std::optional<std::wstring> containingText;
    std::optional<std::wstring> atLeastKb;
    std::optional<std::wstring> atMostKb;
    std::optional<std::wstring> modifiedAfter; // WHEN texts, read when the request is filled
    std::optional<std::wstring> modifiedBefore;
    std::vector<std::wstring> excludes;   // --exclude, each a mask
    int maxDepth = -1;                    // -1: no limit
    std::optional<std::wstring> type;     // "f" or "d"
    std::vector<OutputColumn> columns;    // --columns; empty: the format's own
    std::optional<std::wstring> sharesOf; // --shares \\SERVER: the server's share listing
    std::optional<std::wstring> listOf;   // --list \\SERVER\share[\folder]: a folder listing
    OutputFormat format = OutputFormat::kTsv;
    int jobs = -1; // read-ahead threads; -1: the engine's default
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::vector<std::wstring> scopes;
};

struct ParsedCommandLine {
    VkfindOptions options;
    std::wstring error; // empty when the command line is good
};

// args excludes the program name. VARNOKLE_NETWORK, when set, is the default network folder;
// pass its value as environmentNetwork.
[[nodiscard]] ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args,
                                                 const std::wstring& environmentNetwork);

[[nodiscard]] std::wstring UsageText();

} // namespace vk
