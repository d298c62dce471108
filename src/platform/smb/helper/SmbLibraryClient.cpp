#include "platform/smb/helper/SmbLibraryClient.h"

#include "platform/ErrnoErrors.h"
#include "platform/smb/SmbWire.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace vk {
namespace {

// DOS attributes of a listed entry.
constexpr std::uint16_t kAttributeDirectory = 0x10;
constexpr std::uint16_t kAttributeReparsePoint = 0x400;

// The library's own messages would go to standard output: a helper is silent.
void DiscardLibraryMessage(void* /*context*/, int /*level*/, const char* /*message*/) {}

void CopyInto(char* buffer, int size, const std::string& text) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

SmbNetworkEntry::Kind KindOf(unsigned int type) {
    switch (type) {
    case SMBC_WORKGROUP:
        return SmbNetworkEntry::Kind::kWorkgroup;
    case SMBC_SERVER:
        return SmbNetworkEntry::Kind::kServer;
    case SMBC_FILE_SHARE:
        return SmbNetworkEntry::Kind::kDiskShare;
    case SMBC_PRINTER_SHARE:
        return SmbNetworkEntry::Kind::kPrinterShare;
    case SMBC_COMMS_SHARE:
    case SMBC_IPC_SHARE:
        return SmbNetworkEntry::Kind::kOtherShare;
    default:
        return SmbNetworkEntry::Kind::kOther;
    }
}

// Opens url as a directory, hands it to readEntries and closes it.
template <typename ReadEntries> ErrorCode ReadDirectory(SMBCCTX* context, const std::string& url, ReadEntries read) {
    SMBCFILE* const dir = smbc_getFunctionOpendir(context)(context, url.c_str());
    if (dir == nullptr) {
        return SmbLibraryClient::ErrorFromErrno(errno);
    }
    read(dir);
    smbc_getFunctionClosedir(context)(context, dir);
    return kErrorSuccess;
}

} // namespace

std::unique_ptr<SmbLibraryClient> SmbLibraryClient::Make(const SmbSettings& settings, ErrorCode& error) {
    auto client = std::make_unique<SmbLibraryClient>(MakeOnly{});
    client->credentials_ = settings.credentials;
    SMBCCTX* const created = smbc_new_context();
    if (created == nullptr) {
        error = kErrorNotEnoughMemory;
        return nullptr;
    }
    smbc_setDebug(created, 0);
    smbc_setLogCallback(created, nullptr, DiscardLibraryMessage);
    smbc_setOptionDebugToStderr(created, 1);
    smbc_setTimeout(created, settings.timeoutMilliseconds);
    smbc_setPort(created, settings.port);
    smbc_setOptionUserData(created, client.get());
    smbc_setFunctionAuthDataWithContext(created, &SmbLibraryClient::Authenticate);
    // Credentials that are given and refused are refused: no quiet anonymous logon instead.
    smbc_setOptionNoAutoAnonymousLogin(created, client->credentials_.Given() ? 1 : 0);
    if (smbc_init_context(created) == nullptr) {
        error = ErrorFromErrno(errno);
        smbc_free_context(created, 1);
        return nullptr;
    }
    client->context_ = created;
    error = kErrorSuccess;
    return client;
}

SmbLibraryClient::~SmbLibraryClient() {
    if (context_ != nullptr) {
        for (const auto& [handle, file] : files_) {
            smbc_getFunctionClose(context_)(context_, file);
        }
        smbc_free_context(context_, 1);
    }
    // The password leaves no copy behind in memory the program gives back.
    WipeText(credentials_.password);
}

// Called by the library whenever it logs on to a server.
void SmbLibraryClient::Authenticate(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* workgroup,
                                    int workgroupSize, char* user, int userSize, char* password, int passwordSize) {
    const auto* self = static_cast<const SmbLibraryClient*>(smbc_getOptionUserData(context));
    if (self == nullptr) {
        return;
    }
    const SmbCredentials& credentials = self->credentials_;
    if (!credentials.Given()) {
        // Guest; the library falls back to an anonymous logon where guests are refused.
        CopyInto(user, userSize, "guest");
        CopyInto(password, passwordSize, "");
        return;
    }
    if (!credentials.domain.empty()) {
        CopyInto(workgroup, workgroupSize, credentials.domain);
    }
    CopyInto(user, userSize, credentials.user);
    CopyInto(password, passwordSize, credentials.password);
}

ErrorCode SmbLibraryClient::ErrorFromErrno(int code) {
    switch (code) {
    case EISDIR:
        return kErrorAccessDenied; // as Windows refuses to open a folder as a file
    case EBUSY:
        return kErrorSharingViolation;
    case EINVAL:
        return kErrorInvalidName;
    case ENODEV:
        return kErrorBadNetName;
    case ECONNREFUSED:
    case ECONNRESET:
    case ECONNABORTED:
    case EHOSTUNREACH:
    case EHOSTDOWN:
    case ENETUNREACH:
    case ENETDOWN:
    case ETIMEDOUT:
    case ENOTCONN:
    case EPIPE:
        return kErrorBadNetPath;
    default:
        return vk::ErrorFromErrno(code, kErrorUnexpectedNetwork);
    }
}

ErrorCode SmbLibraryClient::ListNetwork(const std::string& url, const NetworkEntrySink& each) {
    SMBCCTX* const context = context_;
    return ReadDirectory(context, url, [&](SMBCFILE* dir) {
        const auto readdir = smbc_getFunctionReaddir(context);
        while (const smbc_dirent* found = readdir(context, dir)) {
            each(found->name, KindOf(found->smbc_type));
        }
    });
}

ErrorCode SmbLibraryClient::ListFolder(const std::string& url, const FolderEntrySink& each) {
    SMBCCTX* const context = context_;
    return ReadDirectory(context, url, [&](SMBCFILE* dir) {
        const auto readdirplus = smbc_getFunctionReaddirPlus(context);
        while (const libsmb_file_info* found = readdirplus(context, dir)) {
            const bool isDirectory = (found->attrs & kAttributeDirectory) != 0;
            // The server resolves its own links; what it reports as a reparse point (a junction or
            // link on a Windows server) counts as a link. The library gives no reparse tag that
            // would tell the points with content of their own apart.
            const bool isLink = (found->attrs & kAttributeReparsePoint) != 0;
            each(found->name, isDirectory, isLink, isDirectory ? 0 : found->size,
                 FileTimeFromUnix(found->mtime_ts.tv_sec, found->mtime_ts.tv_nsec));
        }
    });
}

ErrorCode SmbLibraryClient::Open(const std::string& url, std::uint32_t& handle, std::uint64_t& length) {
    SMBCFILE* const file = smbc_getFunctionOpen(context_)(context_, url.c_str(), O_RDONLY, 0);
    if (file == nullptr) {
        return errno == ENOENT ? kErrorFileNotFound : ErrorFromErrno(errno);
    }
    struct stat info {};
    ErrorCode error = kErrorSuccess;
    if (smbc_getFunctionFstat(context_)(context_, file, &info) != 0) {
        error = ErrorFromErrno(errno);
    } else if (S_ISDIR(info.st_mode)) {
        error = kErrorAccessDenied;
    }
    if (error != kErrorSuccess) {
        smbc_getFunctionClose(context_)(context_, file);
        return error;
    }
    handle = nextHandle_++;
    files_[handle] = file;
    length = static_cast<std::uint64_t>(info.st_size);
    return kErrorSuccess;
}

std::size_t SmbLibraryClient::Read(std::uint32_t handle, char* buffer, std::size_t count) {
    const auto found = files_.find(handle);
    if (found == files_.end()) {
        return 0;
    }
    const auto read = smbc_getFunctionRead(context_);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(context_, found->second, buffer + done, count - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void SmbLibraryClient::Close(std::uint32_t handle) {
    if (const auto found = files_.find(handle); found != files_.end()) {
        smbc_getFunctionClose(context_)(context_, found->second);
        files_.erase(found);
    }
}

} // namespace vk
