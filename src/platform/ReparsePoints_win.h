#pragma once
// Which entries of a Windows directory listing count as links. Only a name surrogate, a reparse
// point that stands for another name (a junction, a mount point, a symbolic link), can lead the
// walk back to a folder it has already seen. Other reparse points hold content of their own
// (cloud placeholders, deduplicated or tiered files and folders) and are walked as what they are.

#include <windows.h>

namespace vk {

// The reparse tag of a listing entry is in dwReserved0, and only for an entry that is a reparse
// point.
[[nodiscard]] inline bool IsLinkEntry(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(data.dwReserved0);
}

} // namespace vk
