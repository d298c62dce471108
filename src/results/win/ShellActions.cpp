#include "results/win/ShellActions.h"

#include "framework/ShellExecute.h"
#include "platform/FileSystem.h"
#include "platform/LongPaths.h"
#include "platform/NetworkEnvironment.h"

#include <shellapi.h>

namespace vk {

const wchar_t* OpenVerbFor(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? L"explore" : L"open";
}

std::optional<std::wstring> ShellActions::SystemPath(const std::wstring& path) const {
    return ShellablePath(environment_.ShellPath(path).value_or(path));
}

DWORD ShellActions::Attributes(const std::wstring& path) {
    const auto mapped = environment_.ShellPath(path);
    if (!mapped) {
        return INVALID_FILE_ATTRIBUTES;
    }
    // The file functions take a long path in the long form.
    const auto system = mapped->size() > kMaxPathLength ? LongFormPath(*mapped) : mapped;
    return system ? GetFileAttributesW(system->c_str()) : INVALID_FILE_ATTRIBUTES;
}

void ShellActions::Execute(const std::wstring& verb, const std::wstring& path, HWND owner) {
    if (const auto file = SystemPath(path)) {
        ui::ShellVerb(owner, verb.c_str(), *file, SW_SHOWNORMAL);
    }
}

void ShellActions::ShowProperties(const std::wstring& path) {
    const auto systemPath = SystemPath(path);
    if (!systemPath) {
        return;
    }
    const std::wstring& file = *systemPath;
    SHELLEXECUTEINFOW info{sizeof info};
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = nullptr;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = SW_HIDE;
    ShellExecuteExW(&info);
}

} // namespace vk
