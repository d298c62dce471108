#pragma once
// Where Help finds the help file: in the program's own folder, where the installation puts it,
// else by its bare name in the current directory, where older versions looked for it.

#include <functional>
#include <optional>
#include <string>

namespace vk {

// exists(path) tells whether a file is there (a bare name: in the current directory). The file to
// open, or nothing when it is in neither place.
[[nodiscard]] std::optional<std::wstring> FindHelpFile(const std::wstring& programFolder,
                                                       const std::function<bool(const std::wstring&)>& exists);

} // namespace vk
