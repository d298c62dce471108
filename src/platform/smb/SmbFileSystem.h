#pragma once
// The file system of an SMB network: UNC paths (\\SERVER\share\folder) listed and read through
// the SMB client library. Listings are read whole when they start, matched against the mask by
// Windows' rules (WildcardName.h) and sorted as Windows file systems return names, whatever
// order the server keeps them in. A share that does not exist gives kErrorBadNetName, a server
// that does not answer kErrorBadNetPath.
//
// The walk lists every folder twice in a row (the mask, then the subfolders). The server's
// answer to a thread's listing of a folder serves that thread's next listing too when it is of
// the same folder and follows within kListingReuseTime; then it is gone. So a walk costs one
// round trip a folder, and no listing is ever older than that.

#include "platform/FileSystem.h"
#include "platform/smb/SmbClient.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vk {

class SmbFileSystem final : public FileSystem {
public:
    // maxPathLength: longer UNC paths are refused with kErrorFilenameTooLong.
    explicit SmbFileSystem(std::shared_ptr<SmbClient> client, std::size_t maxPathLength = kMaxLongPathLength)
        : client_(std::move(client)), maxPathLength_(maxPathLength) {}

    [[nodiscard]] std::unique_ptr<DirectoryListing> FindFirst(const std::wstring& pattern, ListingDetail detail,
                                                              ErrorCode& error) override;
    [[nodiscard]] std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path, ErrorCode& error) override;

    static constexpr std::chrono::milliseconds kListingReuseTime{1000};

private:
    [[nodiscard]] ErrorCode ListFolder(const std::string& url, std::vector<DirEntry>& entries);

    std::shared_ptr<SmbClient> client_;
    std::size_t maxPathLength_;
};

} // namespace vk
