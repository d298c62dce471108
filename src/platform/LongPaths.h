#pragma once
// Windows only: paths longer than the classic limit (kMaxPathLength). The system's file functions
// take them in the long form (\\?\C:\..., \\?\UNC\SERVER\share\...); the shell takes no long
// form at all, only a path within the classic limit, such as the 8.3 short form of a long one.

#include <optional>
#include <string>

namespace vk {

// The long form of an absolute path (a drive path or a UNC path; '/' made '\'), or the path as
// it is when it already has the prefix. Nothing for a relative path, which cannot take it.
[[nodiscard]] std::optional<std::wstring> LongFormPath(const std::wstring& path);

// A path the shell can take for path: the path itself within the classic limit, else its short
// form when the file system has short names and that fits. Nothing otherwise (the path, or a
// name in it, is not there, or no short form fits).
[[nodiscard]] std::optional<std::wstring> ShellablePath(const std::wstring& path);

} // namespace vk
