#pragma once
// Which entries of a Windows directory listing count as links, and which hold no content on the
// disk. Only a name surrogate, a reparse
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

// Attributes of Windows 10 and later that older headers may lack.
#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif

// A file whose content lies in offline storage (tape), or a cloud placeholder whose content the
// system would download when it is opened or read: reading it would recall every such file.
[[nodiscard]] inline bool IsContentOfflineEntry(const WIN32_FIND_DATAW& data) {
    constexpr DWORD kNotOnDisk =
        FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_RECALL_ON_OPEN | FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    return (data.dwFileAttributes & kNotOnDisk) != 0;
}

} // namespace vk
