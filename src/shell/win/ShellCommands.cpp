#include "shell/win/ShellCommands.h"

#include "engine/EngineTexts.h"
#include "platform/SystemMessages.h"
#include "shell/HelpFile.h"
#include "shell/ShellTexts.h"

namespace vk {
namespace {

constexpr DWORD kDialogCancelled = 0xFFFFFFFF;

void ShowInformation(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kProgramName, MB_OK | MB_ICONINFORMATION);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

void MapNetworkDrive(HWND frame, IFrameShell& shell) {
    const DWORD code = shell.MapNetworkDrive();
    if (code == NO_ERROR || code == kDialogCancelled) {
        return;
    }
    // The system's text for the code, or the code itself when the system has none.
    ShowInformation(frame, SystemErrorText(static_cast<ErrorCode>(code)));
}

void OpenHelp(HWND frame, IFrameShell& shell) {
    const auto file = FindHelpFile(shell.ProgramFolder(), IsFile);
    if (!file) {
        ShowInformation(frame, kTextHelpFileMissing);
        return;
    }
    shell.Open(frame, *file, SW_SHOWNORMAL);
}

void OpenWebSite(IFrameShell& shell) {
    shell.Open(nullptr, kWebSite, SW_SHOW);
}

void SendSupportMail(HWND frame, IFrameShell& shell) {
    shell.Open(frame, kSupportMailLink, SW_SHOWNORMAL);
}

} // namespace vk
