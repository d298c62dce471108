#pragma once
// Whether a file's content matches a wildcard pattern. The file is read in chunks of 300000
// bytes; the first chunk decides whether the file is UTF-16 text or 8-bit text in the system's
// code page. Each chunk is matched on its own, up to its first NUL character, so an occurrence
// that straddles two chunks is not found.

#include "platform/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vk {

constexpr std::size_t kContentChunkSize = 300000;

// Wraps the containing text in stars, unless it already begins or ends with one. Idempotent.
void WrapContainingText(std::wstring& containingText);

// True when some chunk of the file matches pattern (without regard to case). A file that cannot
// be opened or read does not match. The file is held open with no sharing while it is read.
[[nodiscard]] bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, std::wstring_view pattern);

} // namespace vk
