#pragma once
// The SMB client as the SMB network needs it: listings of the network's workgroups, a workgroup's
// servers, a server's shares and a share's folders, and files opened for reading.
//
// The SMB client library (libsmbclient) does the work in helper processes (SmbHelperPool.h), each
// with a library context of its own: the library as Debian builds it exports no thread support
// (smbc_thread_posix), and without it every call in a process shares one stack of temporary
// memory inside the library, so no two calls may run at once in one process, not even on two
// contexts. Processes let the share workers' calls run at once, as the system's calls do on
// Windows, and the program itself never loads the library.
//
// The library reads the client configuration the SMB tools read (~/.smb/smb.conf, then the
// system's smb.conf): name resolution, protocols and the like are configured there.

#include "platform/FileSystem.h"
#include "platform/smb/SmbCredentials.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vk {

// How many helper processes a client starts at most, unless told otherwise: as many as the
// share workers of a search.
inline constexpr int kDefaultSmbHelpers = 11;
inline constexpr int kMaxSmbHelpers = 64;

struct SmbSettings {
    SmbCredentials credentials;
    std::uint16_t port = 0; // 0: the standard ports (445, then 139)
    // How long the client waits for a connection or an answer.
    int timeoutMilliseconds = 10000;
    // The most calls at once: each helper process makes one at a time, over connections of its own.
    int helpers = kDefaultSmbHelpers;
    // The helper program; empty: the one beside the running program (kSmbHelperProgramName).
    std::string helperProgram;
    // Told of each path whose call was lost because the helper making it ended (crashed or was
    // killed): what was lost (\\SERVER\share\...) and how the helper ended. The call fails as a
    // network error and the next call gets a new helper. Called on the calling thread.
    std::function<void(const std::wstring& path, const std::wstring& how)> onHelperLost;
};

// One entry of a listing of the network (a workgroup's, a server's) as the library reports it.
struct SmbNetworkEntry {
    enum class Kind : std::uint8_t { kWorkgroup, kServer, kDiskShare, kPrinterShare, kOtherShare, kOther };
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

// Every call may come from any thread, and calls of several threads run at once.
class SmbClient : public SmbNetworkLister {
public:
    // Starts the first helper process, which loads the library and makes its context. Returns
    // null and sets error when it cannot (no helper program, no library: kErrorNotSupported).
    [[nodiscard]] static std::unique_ptr<SmbClient> Make(SmbSettings settings, ErrorCode& error);

    // The entries of a share or folder, "." and ".." included where the server lists them.
    [[nodiscard]] virtual ErrorCode ListFolder(const std::string& url, std::vector<DirEntry>& entries) = 0;

    // Opens a file for reading; other programs may go on reading, writing and deleting it.
    // The file must be destroyed before the client.
    [[nodiscard]] virtual std::unique_ptr<ReadableFile> OpenFile(const std::string& url, ErrorCode& error) = 0;
};

} // namespace vk
