#pragma once
// The messages between the program and its SMB helper processes (SmbHelperPool.h), over stream
// sockets. Each message is its length (32 bits, little-endian) and its body; a body is a sequence
// of fields: numbers little-endian, texts and byte runs as their 32-bit length and their bytes.
//
// The launcher (the helper program, started with its end of a socket as descriptor
// kSmbHelperSocket) makes the helpers, each on a socket of its own:
//
//   program -> launcher                    launcher -> program
//   start: domain, user, password,         nothing (an empty body): ready
//          port, timeout (ms)
//   fork                                   the helper's process id (0: none) with its socket
//   reap: process id                       1 and the wait status when it has ended, else 0
//
//   helper -> program, first: the error of making its library context (it ends unless success)
//   program -> helper                      helper -> program
//   list network: url                      error, then (name, kind) for each entry
//   list folder: url                       error, then (name, flags, size, modified) for each entry
//   open: url                              error, handle, length
//   read: handle, count                    the bytes read (fewer at the end or on an error)
//   close: handle                          nothing (an empty body)
//
// Names are the library's UTF-8 as it reports them. The start message is the only one that
// holds the password; both sides wipe it once read.

#include "platform/FileSystem.h"
#include "platform/smb/SmbClient.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

inline constexpr int kSmbHelperSocket = 3;

enum class SmbRequest : std::uint8_t { kStart = 1, kFork, kReap, kListNetwork, kListFolder, kOpen, kRead, kClose };

// A message body is larger than this only when something is broken.
inline constexpr std::size_t kMaxSmbMessage = 1024 * 1024 * 1024;
// The most bytes one read request asks for (the content test reads 300000 at a time).
inline constexpr std::uint32_t kMaxSmbReadCount = 16 * 1024 * 1024;

class WireWriter {
public:
    WireWriter& U8(std::uint8_t value);
    WireWriter& U16(std::uint16_t value);
    WireWriter& U32(std::uint32_t value);
    WireWriter& U64(std::uint64_t value);
    WireWriter& Text(std::string_view text);
    // Bytes as they are, with no length before them.
    WireWriter& Append(std::string_view bytes);
    [[nodiscard]] const std::string& Body() const { return body_; }
    // Overwrites the body (one that holds a password) before it is given back.
    void Wipe();

private:
    std::string body_;
};

// Reads the fields of a body in order. A field that the body does not hold whole fails, and so
// does every later one: a reader that has failed stays failed.
class WireReader {
public:
    explicit WireReader(std::string_view body) : rest_(body) {}
    [[nodiscard]] bool U8(std::uint8_t& value);
    [[nodiscard]] bool U16(std::uint16_t& value);
    [[nodiscard]] bool U32(std::uint32_t& value);
    [[nodiscard]] bool U64(std::uint64_t& value);
    // A text, as a view into the body.
    [[nodiscard]] bool Text(std::string_view& text);
    [[nodiscard]] bool Text(std::string& text);
    // Whether every field was there and nothing is left over.
    [[nodiscard]] bool Complete() const { return ok_ && rest_.empty(); }
    // Whether every field so far was there and more follow.
    [[nodiscard]] bool More() const { return ok_ && !rest_.empty(); }

private:
    [[nodiscard]] bool Take(std::size_t count, std::string_view& bytes);
    template <typename Number> [[nodiscard]] bool TakeNumber(Number& value);
    std::string_view rest_;
    bool ok_ = true;
};

// Overwrites a text (one that holds a password) so that no copy is left in memory given back.
void WipeText(std::string& text);

// Sends one message whole, with the descriptor passed (when not -1) for the other side to keep.
// False when the other side is gone (never a SIGPIPE).
[[nodiscard]] bool SendSmbMessage(int socket, std::string_view body, int passed = -1);
// Receives one message. False at the end of the stream, on an error and for a length over
// kMaxSmbMessage. A descriptor passed with it goes to passed (close-on-exec; -1 when none came),
// or is closed when passed is null.
[[nodiscard]] bool ReceiveSmbMessage(int socket, std::string& body, int* passed = nullptr);
// Receives one message into buffer, straight from the socket; size: its length. False as above,
// and for a message longer than capacity.
[[nodiscard]] bool ReceiveSmbMessage(int socket, char* buffer, std::size_t capacity, std::size_t& size);

// The entries of the listings, as the helper writes them and the program reads them.
void PutNetworkEntry(WireWriter& out, std::string_view name, SmbNetworkEntry::Kind kind);
[[nodiscard]] bool TakeNetworkEntry(WireReader& in, SmbNetworkEntry& entry);
void PutFolderEntry(WireWriter& out, std::string_view name, bool isDirectory, bool isLink, std::uint64_t size,
                    std::int64_t modified);
[[nodiscard]] bool TakeFolderEntry(WireReader& in, DirEntry& entry);

} // namespace vk
