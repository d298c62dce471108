#pragma once
// Whether a file's text holds the containing text of a search. The file is read in chunks of
// 300000 bytes and its text searched as it comes, so that an occurrence that straddles two
// chunks is found like any other, and no more than a chunk is held whatever the file's length.
//
// The first chunk decides how the bytes are read: as UTF-8 when they begin with its byte-order
// mark or are well-formed UTF-8 with a character of more than one byte, else as UTF-16 when the
// Unicode test says so, else in the system's 8-bit code page. The text ends at its first NUL.

#include "engine/ContentPattern.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <cstddef>
#include <string>

namespace vk {

constexpr std::size_t kContentChunkSize = 300000;

// For tests: reads files in chunks of the given size (at least 1) instead of kContentChunkSize, so
// that texts of a few bytes cross chunk ends everywhere. 0 sets kContentChunkSize again. Set it
// while no content test runs.
void SetContentChunkSizeForTesting(std::size_t size);

// True when the file's text holds the pattern (without regard to case). A file that cannot be
// opened or read does not. The file is opened for reading, sharing it with every other reader
// and writer. Between chunks it looks at running: once that is false, the test ends without a
// match.
[[nodiscard]] bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, const ContentPattern& pattern,
                                    const std::atomic<bool>& running);

} // namespace vk
