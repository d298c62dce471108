#include "platform/UserFiles.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace vk {

std::filesystem::path SystemUserDataFolder(std::wstring_view programName) {
    PWSTR roaming = nullptr;
    std::filesystem::path folder;
    // The documented way to the roaming application data; the APPDATA variable may be changed or
    // missing in a process's environment.
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)) && roaming) {
        folder = std::filesystem::path(roaming) / programName;
    }
    CoTaskMemFree(roaming);
    return folder;
}

} // namespace vk
