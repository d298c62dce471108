#include "engine/ContentSearch.h"

#include "platform/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vk {

namespace {

// Read once per file; only tests change it (SetContentChunkSizeForTesting).
std::atomic<std::size_t> chunkSizeSetting{kContentChunkSize};

enum class Encoding : std::uint8_t {
    kCodePageBytes, // 8-bit text in a code page of one byte per character, matched as it is
    kCodePage,      // 8-bit text converted to wide characters
    kUtf8,
    kUtf16Le,
};

Encoding EncodingOf(const std::uint8_t* firstChunk, std::size_t count, bool cutOff, bool bytesMatchable) {
    switch (DetectTextEncoding(firstChunk, count, cutOff)) {
    case TextEncoding::kUtf8:
        return Encoding::kUtf8;
    case TextEncoding::kUtf16Le:
        return Encoding::kUtf16Le;
    default:
        return bytesMatchable ? Encoding::kCodePageBytes : Encoding::kCodePage;
    }
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
          chunkSize_(static_cast<std::size_t>(
              std::min<std::uint64_t>(length_, chunkSizeSetting.load(std::memory_order_relaxed)))) {}

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

// A buffer that keeps its memory from one file to the next and is not cleared when it grows:
// fresh memory costs a page fault per page at its first use.
template <typename T> class Buffer {
public:
    // Room for size elements; what was held is not kept.
    T* Room(std::size_t size) {
        if (size > capacity_) {
            data_ = std::make_unique_for_overwrite<T[]>(size);
            capacity_ = size;
        }
        return data_.get();
    }

private:
    std::unique_ptr<T[]> data_;
    std::size_t capacity_ = 0;
};

// The buffers of the content tests of a thread: a chunk of bytes with room in front for what a
// piece or a cut-off character still needs, and the same for its decoded text.
struct Buffers {
    Buffer<std::uint8_t> bytes;
    Buffer<wchar_t> text;
};

Buffers& ThreadBuffers() {
    thread_local Buffers buffers;
    return buffers;
}

// The most bytes of a cut-off character that wait for the next chunk (UTF-8).
constexpr std::size_t kMostWaitingBytes = 3;

// 8-bit text matched as it is. window (room for a chunk and the longest piece) holds the first
// chunk in [0, count); the chunks that follow are read in behind the characters kept from the one
// before.
bool SearchBytes(ChunkReader& reader, std::uint8_t* window, std::size_t count, const PieceRow<ByteAlphabet>& row) {
    if (row.impossible) {
        return false;
    }
    PieceScan<ByteAlphabet> scan(row);
    std::size_t kept = 0;
    for (;;) {
        std::size_t n = kept + count;
        const void* nul = count == 0 ? nullptr : std::memchr(window + kept, 0, count);
        if (nul != nullptr) {
            n = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - window);
        }
        if (scan.Search(window, n)) {
            return true;
        }
        if (nul != nullptr || !reader.MayGoOn()) {
            return false;
        }
        const std::size_t from = scan.KeepFrom(n);
        kept = n - from;
        std::memmove(window, window + from, kept);
        count = reader.Read(window + kept);
    }
}

// Text decoded to wide characters. bytes (room for a chunk and a cut-off character) holds the
// first chunk in [0, count); a character cut off at the end of a chunk waits at its front for the
// rest. window has room for a chunk's characters and the longest piece.
bool SearchWide(ChunkReader& reader, Encoding encoding, std::uint8_t* bytes, std::size_t count, wchar_t* window,
                const PieceRow<WideAlphabet>& row) {
    PieceScan<WideAlphabet> scan(row);
    std::size_t waiting = 0; // bytes of a cut-off character
    std::size_t kept = 0;    // characters kept in the window
    for (;;) {
        const std::size_t total = waiting + count;
        const DecodedText decoded = Decode(encoding, bytes, total, window + kept);
        wchar_t* end = window + kept + decoded.characters;
        wchar_t* const nul = std::find(window + kept, end, L'\0');
        const bool ended = nul != end;
        end = nul;
        const auto n = static_cast<std::size_t>(end - window);
        if (scan.Search(window, n)) {
            return true;
        }
        if (ended || !reader.MayGoOn()) {
            return false;
        }
        waiting = total - decoded.bytesUsed;
        std::memmove(bytes, bytes + decoded.bytesUsed, waiting);
        const std::size_t from = scan.KeepFrom(n);
        kept = n - from;
        std::memmove(window, window + from, kept * sizeof(wchar_t));
        count = reader.Read(bytes + waiting);
    }
}

} // namespace

void SetContentChunkSizeForTesting(std::size_t size) {
    chunkSizeSetting.store(size == 0 ? kContentChunkSize : size, std::memory_order_relaxed);
}

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
    // A piece keeps at most its length less one characters for the next chunk.
    Buffers& buffers = ThreadBuffers();
    const std::size_t chunk = reader.ChunkSize();
    const std::size_t longest = pattern.Wide().longest;
    std::uint8_t* const bytes = buffers.bytes.Room(chunk + std::max(longest, kMostWaitingBytes));
    const std::size_t count = reader.Read(bytes);
    const PieceRow<ByteAlphabet>* bytesRow = pattern.Bytes();
    const Encoding encoding = EncodingOf(bytes, count, !reader.AtEnd(), bytesRow != nullptr);
    if (encoding == Encoding::kCodePageBytes) {
        return SearchBytes(reader, bytes, count, *bytesRow);
    }
    // No byte gives more than one character (the four of a UTF-8 character give two at most).
    wchar_t* const text = buffers.text.Room(chunk + kMostWaitingBytes + longest);
    return SearchWide(reader, encoding, bytes, count, text, pattern.Wide());
}

} // namespace vk
