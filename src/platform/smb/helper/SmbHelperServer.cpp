#include "platform/smb/helper/SmbHelperServer.h"

#include "platform/smb/SmbWire.h"
#include "platform/smb/helper/SmbLibraryClient.h"

#include <optional>
#include <string>
#include <vector>

namespace vk {
namespace {

// The answer to one request: reply's body, or for a read the bytes read into buffer (no copy of
// them on the way). Nothing for a request that is not understood.
[[nodiscard]] std::optional<std::string_view> Answer(SmbLibraryClient& client, std::string_view message,
                                                     WireWriter& reply, std::vector<char>& buffer) {
    WireReader in(message);
    std::uint8_t kind = 0;
    if (!in.U8(kind)) {
        return std::nullopt;
    }
    std::string url;
    std::uint32_t handle = 0;
    switch (static_cast<SmbRequest>(kind)) {
    case SmbRequest::kListNetwork: {
        if (!in.Text(url) || !in.Complete()) {
            return std::nullopt;
        }
        WireWriter entries;
        const ErrorCode error = client.ListNetwork(
            url, [&](std::string_view name, SmbNetworkEntry::Kind type) { PutNetworkEntry(entries, name, type); });
        reply.U32(error).Append(entries.Body());
        return reply.Body();
    }
    case SmbRequest::kListFolder: {
        if (!in.Text(url) || !in.Complete()) {
            return std::nullopt;
        }
        WireWriter entries;
        const ErrorCode error = client.ListFolder(
            url, [&](std::string_view name, bool isDirectory, bool isLink, std::uint64_t size, std::int64_t modified) {
                PutFolderEntry(entries, name, isDirectory, isLink, size, modified);
            });
        reply.U32(error).Append(entries.Body());
        return reply.Body();
    }
    case SmbRequest::kOpen: {
        if (!in.Text(url) || !in.Complete()) {
            return std::nullopt;
        }
        std::uint64_t length = 0;
        const ErrorCode error = client.Open(url, handle, length);
        reply.U32(error).U32(handle).U64(length);
        return reply.Body();
    }
    case SmbRequest::kRead: {
        std::uint32_t count = 0;
        if (!in.U32(handle) || !in.U32(count) || !in.Complete() || count > kMaxSmbReadCount) {
            return std::nullopt;
        }
        if (buffer.size() < count) {
            buffer.resize(count);
        }
        return std::string_view(buffer.data(), client.Read(handle, buffer.data(), count));
    }
    case SmbRequest::kClose:
        if (!in.U32(handle) || !in.Complete()) {
            return std::nullopt;
        }
        client.Close(handle);
        return reply.Body();
    default:
        return std::nullopt;
    }
}

} // namespace

int ServeSmbRequests(int socket, const SmbSettings& settings) {
    ErrorCode error = kErrorSuccess;
    const auto client = SmbLibraryClient::Make(settings, error);
    if (!SendSmbMessage(socket, WireWriter().U32(client ? kErrorSuccess : error).Body()) || !client) {
        return 1;
    }
    std::string message;
    std::vector<char> buffer;
    while (ReceiveSmbMessage(socket, message)) {
        WireWriter reply;
        const auto answer = Answer(*client, message, reply, buffer);
        if (!answer || !SendSmbMessage(socket, *answer)) {
            return 1;
        }
    }
    return 0;
}

} // namespace vk
