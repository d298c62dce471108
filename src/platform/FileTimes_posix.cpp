#include "platform/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace vk {

std::optional<std::tm> FileCreationLocalTime(const std::filesystem::path& path) {
    struct statx status {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &status) != 0) {
        return std::nullopt;
    }
    const std::time_t seconds = (status.stx_mask & STATX_BTIME) != 0
                                    ? static_cast<std::time_t>(status.stx_btime.tv_sec)
                                    : static_cast<std::time_t>(status.stx_mtime.tv_sec);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

} // namespace vk
