#pragma once
// Texts kept one after another in large blocks until the pool is cleared: one allocation for
// thousands of short texts (file names, folders, size texts) instead of one each, and no
// per-text header. A text is held as UTF-8 extended to every wide character (a lone surrogate
// is kept as the three bytes its code would have), so it comes back exactly as it went in, at
// a byte a character for the Latin names most files have. A text is named by a small reference.
// Not thread-safe: the owner guards it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class TextPool {
public:
    struct Ref {
        std::uint32_t block = 0;
        std::uint32_t offset = 0;
        std::uint32_t bytes = 0;
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

    [[nodiscard]] std::string_view Bytes(Ref ref) const {
        return ref.bytes == 0 ? std::string_view() : std::string_view(blocks_[ref.block].get() + ref.offset, ref.bytes);
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0;     // bytes taken in the last block
    std::size_t capacity_ = 0; // bytes the last block holds
    mutable std::string scratch_;
};

// The pool's encoding of a text, appended to out; and back.
void AppendPoolBytes(std::string& out, std::wstring_view text);
void AppendPoolText(std::wstring& out, std::string_view bytes);

} // namespace vk
