#pragma once
// Where the program keeps the files it writes for its user (the search forms' vk.set, a result
// saved without a name): a folder of its own in the user's roaming application data,
// %APPDATA%\Varnokle on Windows, made at the first write. Not the current directory: installed in
// Program Files the program cannot write there, and started from a share its users would
// overwrite each other's files. A file that an older version left in the current directory is
// still read as long as the folder has none, so an existing user keeps it.

#include <filesystem>
#include <functional>
#include <string_view>

namespace vk {

// The system's folder for a program's files: <the user's roaming application data>\<program>;
// empty when the system names none.
[[nodiscard]] std::filesystem::path SystemUserDataFolder(std::wstring_view programName);

// The program's folder for its user's files, selected at start-up before any other thread runs.
// Empty, the current directory, until then and in programs that never select one.
[[nodiscard]] std::filesystem::path UserDataFolder();
void SelectUserDataFolder(std::filesystem::path folder);

using FileExists = std::function<bool(const std::filesystem::path&)>;

// The file to read: the folder's own when it is there; else the one in the current directory
// when that is there; else the folder's (missing) one. exists(path) tells whether a file is there
// (a bare name: in the current directory).
[[nodiscard]] std::filesystem::path UserFileToRead(const std::filesystem::path& folder,
                                                   const std::filesystem::path& name, const FileExists& exists);
// The file to write: the folder's, the folder made when it is missing (a failure shows when the
// file is written). An empty folder gives the bare name, in the current directory.
[[nodiscard]] std::filesystem::path UserFileToWrite(const std::filesystem::path& folder,
                                                    const std::filesystem::path& name);

// The same in the selected folder, with the file system's answers.
[[nodiscard]] std::filesystem::path UserFileToRead(const std::filesystem::path& name);
[[nodiscard]] std::filesystem::path UserFileToWrite(const std::filesystem::path& name);

} // namespace vk
