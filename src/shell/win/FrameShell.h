#pragma once
// What the main frame's shell commands ask of the system: the dialog that maps a network drive,
// the shell's "open" of a file or an address, and the program's own folder. Behind an interface so
// that tests can answer and record instead of opening dialogs and starting programs.

#include "framework/Win32.h"

#include <string>

namespace vk {

class IFrameShell {
public:
    virtual ~IFrameShell() = default;
    // The system's dialog for mapping a network drive (disk resources), modal to owner: NO_ERROR
    // when a drive was mapped, 0xFFFFFFFF when the user cancelled, otherwise a system error code.
    [[nodiscard]] virtual DWORD MapNetworkDrive(HWND owner) = 0;
    // After ERROR_EXTENDED_ERROR: the network provider's own words for what went wrong
    // (WNetGetLastErrorW), headed by the provider's name; empty when it has none.
    [[nodiscard]] virtual std::wstring ExtendedNetworkError() = 0;
    // The shell's "open" of a file or address, with no parameters and no directory. Failures are
    // the shell's to report, in its own dialogs owned by owner (ui::ShellVerb).
    virtual void Open(HWND owner, const std::wstring& target, int show) = 0;
    // The shell's "open" of a document, without an error dialog of the shell's own: ERROR_SUCCESS
    // when the program that shows it was started, otherwise a system error code for the caller to
    // report.
    [[nodiscard]] virtual DWORD OpenDocument(HWND owner, const std::wstring& path, int show) = 0;
    // The folder the program's executable is in.
    [[nodiscard]] virtual std::wstring ProgramFolder() = 0;
};

// The system's own calls.
class SystemFrameShell final : public IFrameShell {
public:
    [[nodiscard]] DWORD MapNetworkDrive(HWND owner) override;
    [[nodiscard]] std::wstring ExtendedNetworkError() override;
    void Open(HWND owner, const std::wstring& target, int show) override;
    [[nodiscard]] DWORD OpenDocument(HWND owner, const std::wstring& path, int show) override;
    [[nodiscard]] std::wstring ProgramFolder() override;
};

} // namespace vk
