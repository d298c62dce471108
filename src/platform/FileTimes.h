#pragma once
// When a file was made, in the local time of this machine.

#include <ctime>
#include <filesystem>
#include <optional>

namespace vk {

// The file's creation time as local calendar time; none when the file cannot be asked. Where the
// file system keeps no creation time (some POSIX ones), its last modification time stands in.
[[nodiscard]] std::optional<std::tm> FileCreationLocalTime(const std::filesystem::path& path);

} // namespace vk
