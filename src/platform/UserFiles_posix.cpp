#include "platform/UserFiles.h"

#include <cstdlib>

namespace vk {

std::filesystem::path SystemUserDataFolder(std::wstring_view programName) {
    // The XDG base directories: $XDG_CONFIG_HOME, else ~/.config.
    std::filesystem::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
    return base / programName;
}

} // namespace vk
