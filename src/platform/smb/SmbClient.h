#pragma once
// The SMB client library (libsmbclient), as the SMB network needs it: listings of the network's
// workgroups, a workgroup's servers, a server's shares and a share's folders, and files opened
// for reading. Nothing else of the program includes the library's header.
//
// Threads: this build of the library exports no thread support (smbc_thread_posix), and without
// it every call shares one stack of temporary memory inside the library, so no two calls may run
// at once, not even on two contexts. Every call into the library therefore takes one lock of the
// whole process, for the call and no longer; up to 11 share workers then take turns, each call
// whole. The client has one context, whose connections all threads share in their turns.
//
// The library reads the client configuration the SMB tools read (~/.smb/smb.conf, then the
// system's smb.conf): name resolution, protocols and the like are configured there.

#include "platform/FileSystem.h"
#include "platform/smb/SmbCredentials.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vk {

struct SmbSettings {
    SmbCredentials credentials;
    std::uint16_t port = 0; // 0: the standard ports (445, then 139)
    // How long the client waits for a connection or an answer.
    int timeoutMilliseconds = 10000;
};

// One entry of a listing of the network (a workgroup's, a server's) as the library reports it.
struct SmbNetworkEntry {
    enum class Kind { kWorkgroup, kServer, kDiskShare, kPrinterShare, kOtherShare, kOther };
    std::wstring name;
    Kind kind = Kind::kOther;
};

// What the network enumerations need of the client: the listings of the network, of a workgroup
// and of a server.
class SmbNetworkLister {
public:
    virtual ~SmbNetworkLister() = default;
    // The entries of the network (url kSmbNetworkUrl), of a workgroup or of a server, in the
    // order the library reports them.
    [[nodiscard]] virtual ErrorCode ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) = 0;
};

class SmbClient final : public SmbNetworkLister {
public:
    // Creates the library's context. Returns null and sets error when it cannot.
    [[nodiscard]] static std::unique_ptr<SmbClient> Make(SmbSettings settings, ErrorCode& error);
    ~SmbClient() override;
    SmbClient(const SmbClient&) = delete;
    SmbClient& operator=(const SmbClient&) = delete;

    [[nodiscard]] ErrorCode ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) override;

    // The entries of a share or folder, "." and ".." included where the server lists them.
    [[nodiscard]] ErrorCode ListFolder(const std::string& url, std::vector<DirEntry>& entries);

    // Opens a file for reading; other programs may go on reading, writing and deleting it.
    // The file must be destroyed before the client.
    [[nodiscard]] std::unique_ptr<ReadableFile> OpenFile(const std::string& url, ErrorCode& error);

    // The program's error code for the errno value of a failed call ("not found" as a path; no
    // value at all as an unexpected network error).
    [[nodiscard]] static ErrorCode ErrorFromErrno(int code);

    // The library's context and what it logs on with; only Make makes one.
    struct Context;
    explicit SmbClient(std::unique_ptr<Context> context);

private:
    std::unique_ptr<Context> context_;
};

} // namespace vk
