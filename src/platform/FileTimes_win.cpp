#include "platform/FileTimes.h"

#include <windows.h>

#include <cstdint>

namespace vk {

std::optional<std::tm> FileCreationLocalTime(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    // 100-nanosecond steps since 1601 to seconds since 1970.
    constexpr std::uint64_t kStepsPerSecond = 10000000;
    constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600;
    const std::uint64_t steps =
        (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) | data.ftCreationTime.dwLowDateTime;
    if (steps / kStepsPerSecond < kSecondsFrom1601To1970) {
        return std::nullopt;
    }
    const auto seconds = static_cast<std::time_t>(steps / kStepsPerSecond - kSecondsFrom1601To1970);
    std::tm local{};
    if (localtime_s(&local, &seconds) != 0) {
        return std::nullopt;
    }
    return local;
}

} // namespace vk
