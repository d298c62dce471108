#pragma once
// Whether a file's content matches a wildcard pattern. The file is read in chunks of 300000
// bytes; the first chunk decides whether the file is UTF-16 text or 8-bit text in the system's
// code page. Each chunk is matched on its own, up to its first NUL character, so an occurrence
// that straddles two chunks is not found.

#include "platform/FileSystem.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

namespace vk {

constexpr std::size_t kContentChunkSize = 300000;

// Wraps the containing text in stars, unless it already begins or ends with one: a star in
// front unless it begins with one, and one at the end unless it ends with a star of its own. A
// star that a backslash makes literal (a\* stands for "a*") is no star of its own, and a lone
// backslash at the end (a literal backslash) is written as the escaped pair \\ before the
// closing star, so that the star stays a wildcard. Idempotent.
void WrapContainingText(std::wstring& containingText);

// True when some chunk of the file matches pattern (without regard to case). A file that cannot
// be opened or read does not match. The file is opened for reading, sharing it with every other
// reader and writer. Between chunks it looks at running: once that is false, the test ends
// without a match.
[[nodiscard]] bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, std::wstring_view pattern,
                                    const std::atomic<bool>& running);

} // namespace vk
