#include "platform/smb/SmbClient.h"

#include "platform/ErrnoErrors.h"
#include "platform/Utf8.h"

#include <libsmbclient.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>

namespace vk {
namespace {

// DOS attributes of a listed entry.
constexpr std::uint16_t kAttributeDirectory = 0x10;
constexpr std::uint16_t kAttributeReparsePoint = 0x400;

// The lock of every call into the library (see SmbClient.h).
std::mutex& LibraryLock() {
    static std::mutex lock;
    return lock;
}

// The library's own messages would go to standard output, among the rows: a search is silent.
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

} // namespace

struct SmbClient::Context {
    SMBCCTX* context = nullptr;
    SmbCredentials credentials;

    ~Context() {
        if (context != nullptr) {
            std::lock_guard lock(LibraryLock());
            smbc_free_context(context, 1);
        }
        // The password leaves no copy behind in memory the program gives back.
        std::fill(credentials.password.begin(), credentials.password.end(), '\0');
    }

    // Called by the library, under the lock, whenever it logs on to a server.
    static void Authenticate(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* workgroup,
                             int workgroupSize, char* user, int userSize, char* password, int passwordSize) {
        const auto* self = static_cast<const Context*>(smbc_getOptionUserData(context));
        if (self == nullptr) {
            return;
        }
        const SmbCredentials& credentials = self->credentials;
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
};

// A file open in the library, read a chunk at a time under the lock.
class SmbFile final : public ReadableFile {
public:
    SmbFile(SMBCCTX* context, SMBCFILE* file, std::uint64_t length) : context_(context), file_(file), length_(length) {}
    ~SmbFile() override {
        std::lock_guard lock(LibraryLock());
        smbc_getFunctionClose(context_)(context_, file_);
    }
    SmbFile(const SmbFile&) = delete;
    SmbFile& operator=(const SmbFile&) = delete;

    std::uint64_t Length() const override { return length_; }

    std::size_t Read(void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        std::size_t done = 0;
        std::lock_guard lock(LibraryLock());
        const auto read = smbc_getFunctionRead(context_);
        while (done < count) {
            const ssize_t got = read(context_, file_, bytes + done, count - done);
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    SMBCCTX* context_;
    SMBCFILE* file_;
    std::uint64_t length_;
};

std::unique_ptr<SmbClient> SmbClient::Make(SmbSettings settings, ErrorCode& error) {
    auto context = std::make_unique<Context>();
    context->credentials = std::move(settings.credentials);
    std::lock_guard lock(LibraryLock());
    SMBCCTX* created = smbc_new_context();
    if (created == nullptr) {
        error = kErrorNotEnoughMemory;
        return nullptr;
    }
    smbc_setDebug(created, 0);
    smbc_setLogCallback(created, nullptr, DiscardLibraryMessage);
    smbc_setOptionDebugToStderr(created, 1);
    smbc_setTimeout(created, settings.timeoutMilliseconds);
    smbc_setPort(created, settings.port);
    smbc_setOptionUserData(created, context.get());
    smbc_setFunctionAuthDataWithContext(created, &Context::Authenticate);
    // Credentials that are given and refused are refused: no quiet anonymous logon instead.
    smbc_setOptionNoAutoAnonymousLogin(created, context->credentials.Given() ? 1 : 0);
    if (smbc_init_context(created) == nullptr) {
        error = ErrorFromErrno(errno);
        smbc_free_context(created, 1);
        return nullptr;
    }
    context->context = created;
    error = kErrorSuccess;
    return std::make_unique<SmbClient>(std::move(context));
}

SmbClient::SmbClient(std::unique_ptr<Context> context) : context_(std::move(context)) {}

SmbClient::~SmbClient() = default;

ErrorCode SmbClient::ErrorFromErrno(int code) {
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

namespace {

// Opens url as a directory under the lock, hands it to readEntries and closes it.
template <typename ReadEntries>
ErrorCode ReadDirectory(SMBCCTX* context, const std::string& url, ReadEntries readEntries) {
    std::lock_guard lock(LibraryLock());
    SMBCFILE* const dir = smbc_getFunctionOpendir(context)(context, url.c_str());
    if (dir == nullptr) {
        return SmbClient::ErrorFromErrno(errno);
    }
    readEntries(dir);
    smbc_getFunctionClosedir(context)(context, dir);
    return kErrorSuccess;
}

} // namespace

ErrorCode SmbClient::ListNetwork(const std::string& url, std::vector<SmbNetworkEntry>& entries) {
    entries.clear();
    SMBCCTX* const context = context_->context;
    return ReadDirectory(context, url, [&](SMBCFILE* dir) {
        const auto readdir = smbc_getFunctionReaddir(context);
        while (const smbc_dirent* found = readdir(context, dir)) {
            entries.push_back(SmbNetworkEntry{WideFromUtf8(found->name), KindOf(found->smbc_type)});
        }
    });
}

ErrorCode SmbClient::ListFolder(const std::string& url, std::vector<DirEntry>& entries) {
    entries.clear();
    SMBCCTX* const context = context_->context;
    return ReadDirectory(context, url, [&](SMBCFILE* dir) {
        const auto readdirplus = smbc_getFunctionReaddirPlus(context);
        while (const libsmb_file_info* found = readdirplus(context, dir)) {
            DirEntry& entry = entries.emplace_back();
            entry.name = WideFromUtf8(found->name);
            entry.isDirectory = (found->attrs & kAttributeDirectory) != 0;
            // The server resolves its own links; what it reports as a reparse point (a junction or
            // link on a Windows server) counts as a link. The library gives no reparse tag that
            // would tell the points with content of their own apart.
            entry.isLink = (found->attrs & kAttributeReparsePoint) != 0;
            entry.size = entry.isDirectory ? 0 : found->size;
        }
    });
}

std::unique_ptr<ReadableFile> SmbClient::OpenFile(const std::string& url, ErrorCode& error) {
    SMBCCTX* const context = context_->context;
    std::lock_guard lock(LibraryLock());
    SMBCFILE* const file = smbc_getFunctionOpen(context)(context, url.c_str(), O_RDONLY, 0);
    if (file == nullptr) {
        error = errno == ENOENT ? kErrorFileNotFound : ErrorFromErrno(errno);
        return nullptr;
    }
    struct stat info {};
    if (smbc_getFunctionFstat(context)(context, file, &info) != 0) {
        error = ErrorFromErrno(errno);
        smbc_getFunctionClose(context)(context, file);
        return nullptr;
    }
    if (S_ISDIR(info.st_mode)) {
        error = kErrorAccessDenied;
        smbc_getFunctionClose(context)(context, file);
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<SmbFile>(context, file, static_cast<std::uint64_t>(info.st_size));
}

} // namespace vk
