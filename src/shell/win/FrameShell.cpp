#include "shell/win/FrameShell.h"

#include "framework/Module.h"

#include <shellapi.h>
#include <winnetwk.h>

namespace vk {

DWORD SystemFrameShell::MapNetworkDrive() {
    return WNetConnectionDialog(nullptr, RESOURCETYPE_DISK);
}

void SystemFrameShell::Open(HWND owner, const std::wstring& target, int show) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, show);
}

DWORD SystemFrameShell::OpenDocument(HWND owner, const std::wstring& path, int show) {
    SHELLEXECUTEINFOW info{sizeof info};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = show;
    if (ShellExecuteExW(&info)) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION;
}

std::wstring SystemFrameShell::ProgramFolder() {
    return ui::ProgramFolder();
}

} // namespace vk
