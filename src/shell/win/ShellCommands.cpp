#include "shell/win/ShellCommands.h"

#include "engine/EngineTexts.h"
#include "framework/MessageBoxes.h"
#include "platform/SystemMessages.h"
#include "shell/HelpFile.h"
#include "shell/ShellTexts.h"

namespace vk {
namespace {

constexpr DWORD kDialogCancelled = 0xFFFFFFFF;

void ShowInformation(const std::wstring& text) {
    ui::ShowMessageBox(text, kProgramName, MB_OK | MB_ICONINFORMATION);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

void MapNetworkDrive(HWND frame, IFrameShell& shell) {
    const DWORD code = shell.MapNetworkDrive(frame);
    if (code == NO_ERROR || code == kDialogCancelled) {
        return;
    }
    // "Extended error" says only that the network provider has the words for it.
    std::wstring text = code == ERROR_EXTENDED_ERROR ? shell.ExtendedNetworkError() : std::wstring();
    if (text.empty()) {
        // The system's text for the code, or the code itself when the system has none.
        text = SystemErrorText(static_cast<ErrorCode>(code));
    }
    ShowInformation(text);
}

void OpenHelp(HWND frame, IFrameShell& shell) {
    const auto file = FindHelpFile(shell.ProgramFolder(), IsFile);
    if (!file) {
        ShowInformation(kTextHelpFileMissing);
        return;
    }
    if (const DWORD error = shell.OpenDocument(frame, *file, SW_SHOWNORMAL); error != ERROR_SUCCESS) {
        ShowInformation(kTextHelpViewerFailed + *file + L"\n" + SystemErrorText(static_cast<ErrorCode>(error)));
    }
}

void OpenWebSite(HWND frame, IFrameShell& shell) {
    shell.Open(frame, kWebSite, SW_SHOW);
}

void SendSupportMail(HWND frame, IFrameShell& shell) {
    shell.Open(frame, kSupportMailLink, SW_SHOWNORMAL);
}

} // namespace vk
