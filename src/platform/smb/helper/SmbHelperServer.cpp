#include "platform/smb/helper/SmbHelperServer.h"

#include "platform/smb/SmbWire.h"
#include "platform/smb/helper/SmbLibraryClient.h"

#include <string>

namespace vk {
namespace {

// The answer to one request; false for a request that is not understood.
[[nodiscard]] bool Answer(SmbLibraryClient& client, std::string_view message, WireWriter& reply) {
    WireReader in(message);
    std::uint8_t kind = 0;
    if (!in.U8(kind)) {
        return false;
    }
    std::string url;
    std::uint32_t handle = 0;
    switch (static_cast<SmbRequest>(kind)) {
    case SmbRequest::kListNetwork: {
        if (!in.Text(url) || !in.Complete()) {
            return false;
        }
        WireWriter entries;
        const ErrorCode error = client.ListNetwork(
            url, [&](std::string_view name, SmbNetworkEntry::Kind type) { PutNetworkEntry(entries, name, type); });
        reply.U32(error).Append(entries.Body());
        return true;
    }
    case SmbRequest::kListFolder: {
        if (!in.Text(url) || !in.Complete()) {
            return false;
        }
        WireWriter entries;
        const ErrorCode error =
            client.ListFolder(url, [&](std::string_view name, bool isDirectory, bool isLink, std::uint64_t size) {
                PutFolderEntry(entries, name, isDirectory, isLink, size);
            });
        reply.U32(error).Append(entries.Body());
        return true;
    }
    case SmbRequest::kOpen: {
        if (!in.Text(url) || !in.Complete()) {
            return false;
        }
        std::uint64_t length = 0;
        const ErrorCode error = client.Open(url, handle, length);
        reply.U32(error).U32(handle).U64(length);
        return true;
    }
    case SmbRequest::kRead: {
        std::uint32_t count = 0;
        if (!in.U32(handle) || !in.U32(count) || !in.Complete() || count > kMaxSmbReadCount) {
            return false;
        }
        std::string bytes(count, '\0');
        bytes.resize(client.Read(handle, bytes.data(), bytes.size()));
        reply.Append(bytes);
        return true;
    }
    case SmbRequest::kClose:
        if (!in.U32(handle) || !in.Complete()) {
            return false;
        }
        client.Close(handle);
        return true;
    default:
        return false;
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
    while (ReceiveSmbMessage(socket, message)) {
        WireWriter reply;
        if (!Answer(*client, message, reply) || !SendSmbMessage(socket, reply.Body())) {
            return 1;
        }
    }
    return 0;
}

} // namespace vk
