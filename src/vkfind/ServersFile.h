#pragma once
// --servers-file FILE: servers added by name, as the window's Add Server adds them. One entry a
// line (a name, an address, or a share or folder's UNC path), in UTF-8; blank lines and lines
// whose first character that is not a blank is '#' are left out.

#include "engine/ServerList.h"

#include <optional>
#include <string>
#include <string_view>

namespace vk {

// The entries of the file's text; a line that is no entry is rejected as it stands.
[[nodiscard]] ParsedServerList ParseServersFile(std::string_view text);

// Reads and parses the file; a message when it cannot be read or holds a line that is no entry.
[[nodiscard]] std::optional<std::wstring> ReadServersFile(const std::wstring& path, std::vector<std::wstring>& entries);

} // namespace vk
