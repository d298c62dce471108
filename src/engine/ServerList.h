#pragma once
// Servers the user adds by name, for networks that list no computers: the entries a typed or
// pasted list holds, and the list as the profile keeps it.
//
// An entry is a server (\\NAME: a name or an address) or a share or folder on one
// (\\NAME\share[\folder...]), always with the two backslashes in front.

#include "platform/Profile.h"

#include <string>
#include <string_view>
#include <vector>

namespace vk {

struct ParsedServerList {
    std::vector<std::wstring> entries;  // in the order typed, each once (names compared without case)
    std::vector<std::wstring> rejected; // what is neither a name nor a UNC path, as typed
};

// Names or addresses (FILESRV01, \\FILESRV01, 192.0.2.7) separated by spaces, tabs, commas,
// semicolons or line ends. A UNC path of a share or folder (\\SERVER\share\folder) ends only at a
// comma, a semicolon or a line end, so that it may hold spaces.
[[nodiscard]] ParsedServerList ParseServerList(std::wstring_view text);

// The server of an entry: \\NAME.
[[nodiscard]] std::wstring ServerOfEntry(std::wstring_view entry);

// Adds the entries that are not in list yet; returns how many were added.
std::size_t MergeServerEntries(std::vector<std::wstring>& list, const std::vector<std::wstring>& entries);

// The profile's section of the list (Software\Varnokle\<title>\Servers in the registry): "Count"
// and the entries as "Server1", "Server2"... Entries that do not parse are left out on reading.
constexpr const wchar_t* kServersSection = L"Servers";
[[nodiscard]] std::vector<std::wstring> LoadServerList(const Profile& profile);
bool SaveServerList(Profile& profile, const std::vector<std::wstring>& list);

} // namespace vk
