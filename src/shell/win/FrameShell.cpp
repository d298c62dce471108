#include "shell/win/FrameShell.h"

#include "framework/Module.h"
#include "framework/ShellExecute.h"
#include "platform/SystemMessages.h"

#include <shellapi.h>
#include <winnetwk.h>

namespace vk {

DWORD SystemFrameShell::MapNetworkDrive(HWND owner) {
    return WNetConnectionDialog(owner, RESOURCETYPE_DISK);
}

std::wstring SystemFrameShell::ExtendedNetworkError() {
    DWORD code = 0;
    wchar_t description[1024] = {};
    wchar_t provider[256] = {};
    if (WNetGetLastErrorW(&code, description, 1024, provider, 256) != NO_ERROR) {
        return {};
    }
    std::wstring text = description;
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty() && code != NO_ERROR) {
        text = SystemErrorText(static_cast<ErrorCode>(code));
    }
    if (text.empty() || provider[0] == L'\0') {
        return text;
    }
    return std::wstring(provider) + L": " + text;
}

void SystemFrameShell::Open(HWND owner, const std::wstring& target, int show) {
    ui::ShellVerb(owner, L"open", target, show);
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
