#pragma once
// The SMB client library's context in a helper process: listings of the network, of a workgroup,
// of a server and of a folder, and files opened and read by handle. One thread calls it; the
// library allows no two calls at once in a process (SmbClient.h).

#include "platform/ErrorCodes.h"
#include "platform/smb/SmbClient.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include <libsmbclient.h>

namespace vk {

class SmbLibraryClient {
    struct MakeOnly {
        explicit MakeOnly() = default;
    };

public:
    explicit SmbLibraryClient(MakeOnly /*only Make makes one*/) {}
    // Makes the library's context. Returns null and sets error when it cannot.
    [[nodiscard]] static std::unique_ptr<SmbLibraryClient> Make(const SmbSettings& settings, ErrorCode& error);
    ~SmbLibraryClient();
    SmbLibraryClient(const SmbLibraryClient&) = delete;
    SmbLibraryClient& operator=(const SmbLibraryClient&) = delete;

    // Each entry as the library reports it, its name in UTF-8.
    using NetworkEntrySink = std::function<void(std::string_view name, SmbNetworkEntry::Kind kind)>;
    using FolderEntrySink = std::function<void(std::string_view name, bool isDirectory, bool isLink, std::uint64_t size,
                                               std::int64_t modified)>;
    [[nodiscard]] ErrorCode ListNetwork(const std::string& url, const NetworkEntrySink& each);
    [[nodiscard]] ErrorCode ListFolder(const std::string& url, const FolderEntrySink& each);

    // Opens a file for reading (never a folder); handle names it to Read and Close.
    [[nodiscard]] ErrorCode Open(const std::string& url, std::uint32_t& handle, std::uint64_t& length);
    // Up to count bytes from the current position: fewer only at the end or on an error.
    [[nodiscard]] std::size_t Read(std::uint32_t handle, char* buffer, std::size_t count);
    void Close(std::uint32_t handle);

    // The program's error code for the errno value of a failed call ("not found" as a path; no
    // value at all as an unexpected network error).
    [[nodiscard]] static ErrorCode ErrorFromErrno(int code);

private:
    static void Authenticate(SMBCCTX* context, const char* server, const char* share, char* workgroup,
                             int workgroupSize, char* user, int userSize, char* password, int passwordSize);

    SMBCCTX* context_ = nullptr;
    SmbCredentials credentials_;
    std::map<std::uint32_t, SMBCFILE*> files_;
    std::uint32_t nextHandle_ = 1;
};

} // namespace vk
