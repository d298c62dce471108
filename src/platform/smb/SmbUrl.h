#pragma once
// The smb:// URLs that the SMB client library takes, made from the UNC paths the engine uses:
//
//   \\SERVER                 smb://SERVER/
//   \\SERVER\share\folder    smb://SERVER/share/folder
//
// Every name is percent-encoded as UTF-8, so that no character of a name ('%', '#', '@', ';', a
// space) can mean anything in the URL. Paths are normalised as Windows does (UncPath.h).

#include "platform/UncPath.h"

#include <optional>
#include <string>
#include <string_view>

namespace vk {

// The top of the network: its workgroups, where the browse service answers.
inline constexpr std::string_view kSmbNetworkUrl = "smb://";

[[nodiscard]] std::string SmbUrl(const UncPath& path);
// Nothing for a text that is not a UNC path.
[[nodiscard]] std::optional<std::string> SmbUrlFromUnc(std::wstring_view unc);
// The URL that lists a workgroup's servers.
[[nodiscard]] std::string SmbWorkgroupUrl(std::wstring_view workgroup);

[[nodiscard]] std::string PercentEncode(std::string_view utf8);

// The UNC path a URL of SmbUrl stands for (\\SERVER\share\folder), to name it in messages.
[[nodiscard]] std::wstring UncFromSmbUrl(std::string_view url);

} // namespace vk
