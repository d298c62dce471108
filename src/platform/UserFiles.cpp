#include "platform/UserFiles.h"

#include <system_error>

namespace vk {
namespace {

std::filesystem::path selectedFolder;

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::filesystem::path UserDataFolder() {
    return selectedFolder;
}

void SelectUserDataFolder(std::filesystem::path folder) {
    selectedFolder = std::move(folder);
}

std::filesystem::path UserFileToRead(const std::filesystem::path& folder, const std::filesystem::path& name,
                                     const FileExists& exists) {
    if (folder.empty()) {
        return name;
    }
    const std::filesystem::path own = folder / name;
    if (!exists(own) && exists(name)) {
        return name;
    }
    return own;
}

std::filesystem::path UserFileToWrite(const std::filesystem::path& folder, const std::filesystem::path& name) {
    if (folder.empty()) {
        return name;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder / name;
}

std::filesystem::path UserFileToRead(const std::filesystem::path& name) {
    return UserFileToRead(UserDataFolder(), name, IsFile);
}

std::filesystem::path UserFileToWrite(const std::filesystem::path& name) {
    return UserFileToWrite(UserDataFolder(), name);
}

} // namespace vk
