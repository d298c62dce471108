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

std::wstring SystemFrameShell::ProgramFolder() {
    return ui::ProgramFolder();
}

} // namespace vk
