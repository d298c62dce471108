#include "platform/smb/SmbWire.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace vk {
namespace {

constexpr std::uint8_t kFlagDirectory = 1;
constexpr std::uint8_t kFlagLink = 2;
// A body this short goes with its length in one piece.
constexpr std::size_t kSmallMessage = 64 * 1024;

template <typename Number> void PutNumber(std::string& body, Number value) {
    for (std::size_t i = 0; i < sizeof value; ++i) {
        body += static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

template <typename Number> Number NumberFrom(std::string_view bytes) {
    Number value = 0;
    for (std::size_t i = 0; i < sizeof value; ++i) {
        value |= static_cast<Number>(static_cast<Number>(static_cast<std::uint8_t>(bytes[i])) << (8 * i));
    }
    return value;
}

// Reads exactly count bytes; false at the end of the stream or on an error. A descriptor that
// comes with them goes to passed when it is free (-1), else it is closed.
bool ReceiveAll(int socket, char* buffer, std::size_t count, int* passed) {
    while (count > 0) {
        iovec bytes{buffer, count};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
        msghdr message{};
        message.msg_iov = &bytes;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t got = recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header)) {
            if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_RIGHTS) {
                int descriptor = -1;
                std::memcpy(&descriptor, CMSG_DATA(header), sizeof descriptor);
                if (passed != nullptr && *passed < 0) {
                    *passed = descriptor;
                } else {
                    close(descriptor);
                }
            }
        }
        if (got <= 0) {
            return false;
        }
        buffer += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

// Sends every byte, the descriptor passed (when not -1) with the first.
bool SendAll(int socket, std::string_view bytes, int passed) {
    while (!bytes.empty()) {
        iovec part{const_cast<char*>(bytes.data()), bytes.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        if (passed >= 0) {
            message.msg_control = control;
            message.msg_controllen = sizeof control;
            cmsghdr* header = CMSG_FIRSTHDR(&message);
            header->cmsg_level = SOL_SOCKET;
            header->cmsg_type = SCM_RIGHTS;
            header->cmsg_len = CMSG_LEN(sizeof passed);
            std::memcpy(CMSG_DATA(header), &passed, sizeof passed);
        }
        const ssize_t sent = sendmsg(socket, &message, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        passed = -1;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool ReceiveBody(int socket, std::string& body, int* passed) {
    char length[sizeof(std::uint32_t)];
    if (!ReceiveAll(socket, length, sizeof length, passed)) {
        return false;
    }
    const auto size = NumberFrom<std::uint32_t>(std::string_view(length, sizeof length));
    if (size > kMaxSmbMessage) {
        return false;
    }
    // Grown as the bytes come, so that a broken length costs no gigabyte at once.
    constexpr std::size_t kStep = 1024 * 1024;
    body.clear();
    while (body.size() < size) {
        const std::size_t done = body.size();
        const std::size_t step = std::min<std::size_t>(size - done, kStep);
        body.resize(done + step);
        if (!ReceiveAll(socket, body.data() + done, step, nullptr)) {
            return false;
        }
    }
    return true;
}

} // namespace

void WipeText(std::string& text) {
    explicit_bzero(text.data(), text.size());
}

WireWriter& WireWriter::U8(std::uint8_t value) {
    PutNumber(body_, value);
    return *this;
}

WireWriter& WireWriter::U16(std::uint16_t value) {
    PutNumber(body_, value);
    return *this;
}

WireWriter& WireWriter::U32(std::uint32_t value) {
    PutNumber(body_, value);
    return *this;
}

WireWriter& WireWriter::U64(std::uint64_t value) {
    PutNumber(body_, value);
    return *this;
}

WireWriter& WireWriter::Text(std::string_view text) {
    PutNumber(body_, static_cast<std::uint32_t>(text.size()));
    body_ += text;
    return *this;
}

WireWriter& WireWriter::Append(std::string_view bytes) {
    body_ += bytes;
    return *this;
}

void WireWriter::Wipe() {
    WipeText(body_);
}

bool WireReader::Take(std::size_t count, std::string_view& bytes) {
    if (!ok_ || rest_.size() < count) {
        ok_ = false;
        return false;
    }
    bytes = rest_.substr(0, count);
    rest_.remove_prefix(count);
    return true;
}

template <typename Number> bool WireReader::TakeNumber(Number& value) {
    std::string_view bytes;
    if (!Take(sizeof value, bytes)) {
        return false;
    }
    value = NumberFrom<Number>(bytes);
    return true;
}

bool WireReader::U8(std::uint8_t& value) {
    return TakeNumber(value);
}

bool WireReader::U16(std::uint16_t& value) {
    return TakeNumber(value);
}

bool WireReader::U32(std::uint32_t& value) {
    return TakeNumber(value);
}

bool WireReader::U64(std::uint64_t& value) {
    return TakeNumber(value);
}

bool WireReader::Text(std::string_view& text) {
    std::uint32_t length = 0;
    return U32(length) && Take(length, text);
}

bool WireReader::Text(std::string& text) {
    std::string_view view;
    if (!Text(view)) {
        return false;
    }
    text.assign(view);
    return true;
}

bool SendSmbMessage(int socket, std::string_view body, int passed) {
    if (body.size() > kMaxSmbMessage) {
        return false;
    }
    std::string length;
    PutNumber(length, static_cast<std::uint32_t>(body.size()));
    if (passed < 0 && body.size() <= kSmallMessage) {
        length += body; // one call to the system for the two
        return SendAll(socket, length, -1);
    }
    return SendAll(socket, length, passed) && SendAll(socket, body, -1);
}

bool ReceiveSmbMessage(int socket, char* buffer, std::size_t capacity, std::size_t& size) {
    char length[sizeof(std::uint32_t)];
    if (!ReceiveAll(socket, length, sizeof length, nullptr)) {
        return false;
    }
    size = NumberFrom<std::uint32_t>(std::string_view(length, sizeof length));
    return size <= capacity && ReceiveAll(socket, buffer, size, nullptr);
}

bool ReceiveSmbMessage(int socket, std::string& body, int* passed) {
    int descriptor = -1;
    const bool received = ReceiveBody(socket, body, passed != nullptr ? &descriptor : nullptr);
    if (!received && descriptor >= 0) {
        close(descriptor);
        descriptor = -1;
    }
    if (passed != nullptr) {
        *passed = descriptor;
    }
    return received;
}

void PutNetworkEntry(WireWriter& out, std::string_view name, SmbNetworkEntry::Kind kind) {
    out.Text(name).U8(static_cast<std::uint8_t>(kind));
}

bool TakeNetworkEntry(WireReader& in, SmbNetworkEntry& entry) {
    std::string_view name;
    std::uint8_t kind = 0;
    if (!in.Text(name) || !in.U8(kind) || kind > static_cast<std::uint8_t>(SmbNetworkEntry::Kind::kOther)) {
        return false;
    }
    entry.name = WideFromUtf8(name);
    entry.kind = static_cast<SmbNetworkEntry::Kind>(kind);
    return true;
}

void PutFolderEntry(WireWriter& out, std::string_view name, bool isDirectory, bool isLink, std::uint64_t size,
                    std::int64_t modified) {
    const auto flags = static_cast<std::uint8_t>((isDirectory ? kFlagDirectory : 0) | (isLink ? kFlagLink : 0));
    out.Text(name).U8(flags).U64(size).U64(static_cast<std::uint64_t>(modified));
}

bool TakeFolderEntry(WireReader& in, DirEntry& entry) {
    std::string_view name;
    std::uint8_t flags = 0;
    std::uint64_t size = 0;
    std::uint64_t modified = 0;
    if (!in.Text(name) || !in.U8(flags) || !in.U64(size) || !in.U64(modified)) {
        return false;
    }
    entry.modified = static_cast<std::int64_t>(modified);
    entry.name = WideFromUtf8(name);
    entry.isDirectory = (flags & kFlagDirectory) != 0;
    entry.isLink = (flags & kFlagLink) != 0;
    entry.size = size;
    return true;
}

} // namespace vk
