#pragma once
// Texts kept one after another in large blocks until the pool is cleared: one allocation for
// thousands of short texts (file names, folders, size texts) instead of one each, and no
// per-text header. A text is held as UTF-8 extended to every wide character (a lone surrogate
// is kept as the three bytes its code would have), so it comes back exactly as it went in, at
// a byte a character for the Latin names most files have. A text is named by a reference of 8
// bytes: a million hits hold a few million of them. Not thread-safe: the owner guards it.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class TextPool {
public:
    // The block (26 bits), the offset in it (18 bits) and the length in bytes (20 bits). A text
    // of kLongText bytes or more has a block of its own, whose first 8 bytes hold its length.
    // Left as it is when made without {} (as a block of them is): Ref{} is the empty text.
    struct Ref {
        std::uint64_t bits; // 0: the empty text
        friend bool operator==(const Ref&, const Ref&) = default;
    };

    [[nodiscard]] Ref Add(std::wstring_view text);
    // The text of ref, replacing out's contents (its capacity is reused).
    void Read(Ref ref, std::wstring& out) const;
    [[nodiscard]] std::wstring Text(Ref ref) const {
        std::wstring text;
        Read(ref, text);
        return text;
    }
    // True when ref holds text.
    [[nodiscard]] bool Holds(Ref ref, std::wstring_view text) const;
    void Clear();

private:
    static constexpr std::size_t kBlockBytes = 256 * 1024;
    static constexpr int kOffsetBits = 18; // kBlockBytes
    static constexpr int kLengthBits = 20;
    static constexpr std::uint64_t kLongText = (std::uint64_t{1} << kLengthBits) - 1;

    [[nodiscard]] std::string_view Bytes(Ref ref) const {
        const std::uint64_t length = ref.bits & kLongText;
        if (length == 0) {
            return {};
        }
        const char* const block = blocks_[ref.bits >> (kOffsetBits + kLengthBits)].get();
        if (length == kLongText) {
            std::uint64_t longLength = 0;
            std::memcpy(&longLength, block, sizeof longLength);
            return std::string_view(block + sizeof longLength, longLength);
        }
        const std::uint64_t offset = (ref.bits >> kLengthBits) & ((std::uint64_t{1} << kOffsetBits) - 1);
        return std::string_view(block + offset, length);
    }
    // Room for size bytes; returns where they go and the reference that names them.
    char* Place(std::size_t size, Ref& ref);

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t filling_ = 0;  // the block short texts go to
    std::size_t used_ = 0;     // bytes taken in it
    std::size_t capacity_ = 0; // bytes it holds
    mutable std::string scratch_;
};

// The pool's encoding of a text, appended to out; and back.
void AppendPoolBytes(std::string& out, std::wstring_view text);
void AppendPoolText(std::wstring& out, std::string_view bytes);

} // namespace vk
