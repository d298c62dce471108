#pragma once
// The smb:// URLs that the SMB client library takes, made from the UNC paths the engine uses:
//
//   \\SERVER                 smb://SERVER/
//   \\SERVER\share\folder    smb://SERVER/share/folder
//
// Every name is percent-encoded as UTF-8, so that no character of a name ('%', '?', '@', ';', a
// space) can mean anything in the URL. Empty names and "." are dropped and ".." goes up, but
// never above the share, the way Windows normalises a UNC path.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The top of the network: its workgroups, where the browse service answers.
inline constexpr std::string_view kSmbNetworkUrl = "smb://";

// A UNC path taken apart: the server and the names below it, the share first.
struct UncParts {
    std::wstring server;
    std::vector<std::wstring> names;
};

// Nothing for a text that is not a UNC path (\\ and a server name, which holds no '/').
[[nodiscard]] std::optional<UncParts> SplitUncPath(std::wstring_view unc);

[[nodiscard]] std::string SmbUrl(const UncParts& parts);
[[nodiscard]] std::optional<std::string> SmbUrlFromUnc(std::wstring_view unc);
// The URL that lists a workgroup's servers.
[[nodiscard]] std::string SmbWorkgroupUrl(std::wstring_view workgroup);

[[nodiscard]] std::string PercentEncode(std::string_view utf8);

} // namespace vk
