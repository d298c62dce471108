#include "engine/ContentSearch.h"

#include "platform/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vk {

namespace {

enum class Encoding : std::uint8_t {
    kCodePageBytes, // 8-bit text in a code page of one byte per character, matched as it is
    kCodePage,      // 8-bit text converted to wide characters
    kUtf8,
    kUtf16Le,
};

Encoding EncodingOf(const std::uint8_t* firstChunk, std::size_t count, bool cutOff, bool bytesMatchable) {
    if (IsUtf8Text(firstChunk, count, cutOff)) {
        return Encoding::kUtf8;
    }
    if (IsTextUnicode(firstChunk, count)) {
        return Encoding::kUtf16Le;
    }
    return bytesMatchable ? Encoding::kCodePageBytes : Encoding::kCodePage;
}

DecodedText Decode(Encoding encoding, const std::uint8_t* bytes, std::size_t count, wchar_t* out) {
    switch (encoding) {
    case Encoding::kUtf8:
        return DecodeUtf8(bytes, count, out);
    case Encoding::kUtf16Le:
        return DecodeUtf16Le(bytes, count, out);
    default:
        return DecodeAnsi(bytes, count, out);
    }
}

// One file read a chunk at a time, up to its length or its last byte, whichever comes first.
class ChunkReader {
public:
    ChunkReader(ReadableFile& file, const std::atomic<bool>& running)
        : file_(file), running_(running), length_(file.Length()),
          chunkSize_(static_cast<std::size_t>(std::min<std::uint64_t>(length_, kContentChunkSize))) {}

    [[nodiscard]] std::size_t ChunkSize() const { return chunkSize_; }

    // Reads the next chunk to buffer (room for ChunkSize() bytes); returns the bytes read.
    [[nodiscard]] std::size_t Read(std::uint8_t* buffer) {
        last_ = file_.Read(buffer, chunkSize_);
        consumed_ += last_;
        return last_;
    }

    [[nodiscard]] bool AtEnd() const { return last_ == 0 || consumed_ >= length_; }
    // A large file must not hold a stopped search up: Stop ends the test between chunks.
    [[nodiscard]] bool MayGoOn() const { return !AtEnd() && running_; }

private:
    ReadableFile& file_;
    const std::atomic<bool>& running_;
    std::uint64_t length_;
    std::size_t chunkSize_;
    std::uint64_t consumed_ = 0;
    std::size_t last_ = 0;
};

// The buffers of the content tests of a thread: they grow to a chunk and the longest piece once.
struct Buffers {
    std::vector<std::uint8_t> bytes;
    std::vector<wchar_t> text;
};

Buffers& ThreadBuffers() {
    thread_local Buffers buffers;
    return buffers;
}

void Reserve(std::vector<std::uint8_t>& buffer, std::size_t size) {
    if (buffer.size() < size) {
        buffer.resize(size);
    }
}

void Reserve(std::vector<wchar_t>& buffer, std::size_t size) {
    if (buffer.size() < size) {
        buffer.resize(size);
    }
}

// 8-bit text matched as it is. window[0, count) holds the first chunk; the chunks that follow are
// read in behind the characters kept from the one before.
bool SearchBytes(ChunkReader& reader, std::vector<std::uint8_t>& window, std::size_t count,
                 const PieceRow<ByteAlphabet>& row) {
    if (row.impossible) {
        return false;
    }
    PieceScan<ByteAlphabet> scan(row);
    std::size_t kept = 0;
    for (;;) {
        std::size_t n = kept + count;
        const void* nul = count == 0 ? nullptr : std::memchr(window.data() + kept, 0, count);
        if (nul != nullptr) {
            n = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - window.data());
        }
        if (scan.Search(window.data(), n)) {
            return true;
        }
        if (nul != nullptr || !reader.MayGoOn()) {
            return false;
        }
        const std::size_t from = scan.KeepFrom(n);
        kept = n - from;
        std::memmove(window.data(), window.data() + from, kept);
        Reserve(window, kept + reader.ChunkSize());
        count = reader.Read(window.data() + kept);
    }
}

// Text decoded to wide characters. bytes[0, count) holds the first chunk; a character cut off at
// the end of a chunk waits at the front of bytes for the rest of it.
bool SearchWide(ChunkReader& reader, Encoding encoding, std::vector<std::uint8_t>& bytes, std::size_t count,
                std::vector<wchar_t>& window, const PieceRow<WideAlphabet>& row) {
    PieceScan<WideAlphabet> scan(row);
    std::size_t waiting = 0; // bytes of a cut-off character
    std::size_t kept = 0;    // characters kept in the window
    for (;;) {
        const std::size_t total = waiting + count;
        Reserve(window, kept + total);
        const DecodedText decoded = Decode(encoding, bytes.data(), total, window.data() + kept);
        wchar_t* const begin = window.data();
        wchar_t* end = begin + kept + decoded.characters;
        wchar_t* const nul = std::find(begin + kept, end, L'\0');
        const bool ended = nul != end;
        end = nul;
        const auto n = static_cast<std::size_t>(end - begin);
        if (scan.Search(begin, n)) {
            return true;
        }
        if (ended || !reader.MayGoOn()) {
            return false;
        }
        waiting = total - decoded.bytesUsed;
        std::memmove(bytes.data(), bytes.data() + decoded.bytesUsed, waiting);
        const std::size_t from = scan.KeepFrom(n);
        kept = n - from;
        std::memmove(begin, begin + from, kept * sizeof(wchar_t));
        Reserve(bytes, waiting + reader.ChunkSize());
        count = reader.Read(bytes.data() + waiting);
    }
}

} // namespace

bool FileContainsText(FileSystem& fileSystem, const std::wstring& path, const ContentPattern& pattern,
                      const std::atomic<bool>& running) {
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.OpenForReading(path, error);
    if (!file) {
        return false;
    }
    if (pattern.MatchesEveryText()) {
        return true;
    }
    // The whole 64-bit length counts, so that the content past 4 GiB is searched too.
    ChunkReader reader(*file, running);
    if (reader.ChunkSize() == 0) {
        return false; // empty text holds no piece
    }
    Buffers& buffers = ThreadBuffers();
    Reserve(buffers.bytes, reader.ChunkSize());
    const std::size_t count = reader.Read(buffers.bytes.data());
    const PieceRow<ByteAlphabet>* bytesRow = pattern.Bytes();
    const Encoding encoding = EncodingOf(buffers.bytes.data(), count, !reader.AtEnd(), bytesRow != nullptr);
    if (encoding == Encoding::kCodePageBytes) {
        return SearchBytes(reader, buffers.bytes, count, *bytesRow);
    }
    return SearchWide(reader, encoding, buffers.bytes, count, buffers.text, pattern.Wide());
}

} // namespace vk
