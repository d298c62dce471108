#include "platform/NetworkEnvironment.h"

#include "platform/FolderNetworkServices.h"

namespace vk {

NetworkEnvironment::NetworkEnvironment()
    : system_(MakeSystemFileSystem()), network_(MakeSystemNetworkServices()), files_(system_.get()) {}

NetworkEnvironment::~NetworkEnvironment() = default;

ErrorCode NetworkEnvironment::UseFolderNetwork(const std::wstring& root) {
    // Below the root the native paths are longer than the UNC paths they stand for; the folder
    // network holds the UNC paths to the program's limit itself.
    auto longSystem = MakeSystemFileSystem(kMaxLongPathLength);
    auto folder = std::make_unique<FolderNetwork>(root, *longSystem);
    if (const ErrorCode error = folder->Load(); error != kErrorSuccess) {
        return error;
    }
    longSystem_ = std::move(longSystem);
    folder_ = std::move(folder);
    folderFiles_ = std::make_unique<FolderNetworkFileSystem>(*folder_);
    network_ = std::make_unique<FolderNetworkServices>(*folder_);
    files_ = folderFiles_.get();
    return kErrorSuccess;
}

void NetworkEnvironment::UseNetwork(std::unique_ptr<FileSystem> files, std::unique_ptr<NetworkServices> network) {
    network_ = std::move(network);
    otherFiles_ = std::move(files);
    files_ = otherFiles_.get();
    folderFiles_.reset();
    folder_.reset();
    longSystem_.reset();
}

std::vector<std::wstring> NetworkEnvironment::FaultFileErrors() const {
    return folder_ ? folder_->FaultFileErrors() : std::vector<std::wstring>{};
}

std::optional<std::wstring> NetworkEnvironment::ShellPath(const std::wstring& uncPath) const {
    if (!folder_) {
        return uncPath;
    }
    ErrorCode error = kErrorSuccess;
    return folder_->MapUncPath(uncPath, error);
}

} // namespace vk
