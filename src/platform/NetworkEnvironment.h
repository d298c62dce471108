#pragma once
// The network the program works on: a folder network (a folder given on the command line or by
// VARNOKLE_NETWORK), another network the platform provides (SMB servers) or the system's own. Holds the file system and
// the network enumerations the engine uses, and maps UNC paths for the shell's open and explore.

#include "platform/FileSystem.h"
#include "platform/FolderNetwork.h"
#include "platform/NetworkServices.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vk {

class NetworkEnvironment {
public:
    // The system's network (on POSIX a network that is not there).
    NetworkEnvironment();
    ~NetworkEnvironment();
    NetworkEnvironment(const NetworkEnvironment&) = delete;
    NetworkEnvironment& operator=(const NetworkEnvironment&) = delete;

    // Switches to the folder network at root. Fails (and stays as it was) when the folder cannot
    // be read.
    [[nodiscard]] ErrorCode UseFolderNetwork(const std::wstring& root);

    // Switches to a network that another part of the platform provides (the SMB client's): its
    // file system and enumerations, owned from now on.
    void UseNetwork(std::unique_ptr<FileSystem> files, std::unique_ptr<NetworkServices> network);

    [[nodiscard]] bool IsFolderNetwork() const { return folder_ != nullptr; }
    [[nodiscard]] FileSystem& Files() const { return *files_; }
    [[nodiscard]] NetworkServices& Network() const { return *network_; }
    // Problems in the folder network's faults file.
    [[nodiscard]] std::vector<std::wstring> FaultFileErrors() const;

    // The path the system's shell should open for a UNC path: on a folder network the native
    // path it stands for (nothing when it stands for nothing), otherwise the path itself.
    [[nodiscard]] std::optional<std::wstring> ShellPath(const std::wstring& uncPath) const;

private:
    std::unique_ptr<FileSystem> system_;
    std::unique_ptr<FileSystem> longSystem_;
    std::unique_ptr<FolderNetwork> folder_;
    std::unique_ptr<FileSystem> folderFiles_;
    std::unique_ptr<FileSystem> otherFiles_;
    std::unique_ptr<NetworkServices> network_;
    FileSystem* files_ = nullptr;
};

} // namespace vk
