#include "shell/win/FrameShell.h"

#include <shellapi.h>
#include <winnetwk.h>

namespace vk {

DWORD SystemFrameShell::MapNetworkDrive() {
    return WNetConnectionDialog(nullptr, RESOURCETYPE_DISK);
}

void SystemFrameShell::Open(HWND owner, const std::wstring& target, int show) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, show);
}

std::wstring SystemFrameShell::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // cut short: a longer buffer
    }
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

} // namespace vk
