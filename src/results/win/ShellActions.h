#pragma once
// What the result view asks of the shell: a path's attributes (to choose between "explore" and
// "open"), carrying out a verb on a path, and the properties sheet. Behind an interface so that
// tests can record the calls instead of starting programs.

#include "framework/Win32.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vk {

class NetworkEnvironment;

class IShellActions {
public:
    virtual ~IShellActions() = default;
    // The path's file attributes; INVALID_FILE_ATTRIBUTES (all bits set) when it cannot be
    // queried.
    [[nodiscard]] virtual DWORD Attributes(const std::wstring& path) = 0;
    // The verb on the path, shown normally, with owner as the owner window. Failures are the
    // shell's to show (ui::ShellVerb).
    virtual void Execute(const std::wstring& verb, const std::wstring& path, HWND owner) = 0;
    // The shell's properties sheet of the path, with no owner. Failures are silent.
    virtual void ShowProperties(const std::wstring& path) = 0;
};

// "explore" for a folder, "open" for anything else. A path whose attributes could not be read
// counts as a folder (the failure value has the directory bit set), so an unreachable path is
// explored.
[[nodiscard]] const wchar_t* OpenVerbFor(DWORD attributes);

// The shell's own calls, on the paths that the environment's network stands for: on a folder
// network a UNC path opens the folder or file it maps to. The shell takes no path longer than
// 259 characters (it fails to find it): such a path goes to it in its 8.3 short form where that
// fits, and otherwise the command does nothing, as a failed shell call does. Attributes are read
// through the long form, whatever the length.
class ShellActions final : public IShellActions {
public:
    explicit ShellActions(const NetworkEnvironment& environment) : environment_(environment) {}

    [[nodiscard]] DWORD Attributes(const std::wstring& path) override;
    void Execute(const std::wstring& verb, const std::wstring& path, HWND owner) override;
    void ShowProperties(const std::wstring& path) override;

private:
    // The path to hand to the shell: the mapped one (or the path itself when it maps to nothing),
    // in a form the shell takes; nothing when there is none.
    [[nodiscard]] std::optional<std::wstring> SystemPath(const std::wstring& path) const;

    const NetworkEnvironment& environment_;
};

} // namespace vk
