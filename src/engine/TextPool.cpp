#include "engine/TextPool.h"

#include <algorithm>

namespace vk {

void AppendPoolBytes(std::string& out, std::wstring_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<std::uint32_t>(text[i]);
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
            continue;
        }
        if constexpr (sizeof(wchar_t) == 2) {
            // A well-formed pair is one character; a lone surrogate stays a code of its own.
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
                ++i;
            }
        }
        if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        } else if (code < 0x200000) {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        } else {
            // Past any character (only where wide characters are 32 bits): six bytes, as UTF-8
            // once wrote 31-bit codes, so that nothing is lost.
            out.push_back(static_cast<char>(0xFC | (code >> 30)));
            for (int shift = 24; shift >= 6; shift -= 6) {
                out.push_back(static_cast<char>(0x80 | ((code >> shift) & 0x3F)));
            }
        }
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void AppendPoolText(std::wstring& out, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        std::size_t length = 1;
        std::uint32_t code = lead;
        if (lead >= 0xFC) {
            length = 6;
            code = lead & 0x03;
        } else if (lead >= 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            code = lead & 0x1F;
        }
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<std::uint8_t>(bytes[i + k]) & 0x3F);
        }
        i += length;
        if (sizeof(wchar_t) == 2 && code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(code));
        }
    }
}

TextPool::Ref TextPool::Add(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    Ref ref;
    // Most names are ASCII: their bytes go straight into the block, a byte a character, tested on
    // the way; a text that is not goes the long way, and what was copied is left to be overwritten.
    if (text.size() <= capacity_ - used_) {
        char* const at = blocks_[filling_].get() + used_;
        std::size_t i = 0;
        while (i < text.size() && static_cast<std::uint32_t>(text[i]) < 0x80) {
            at[i] = static_cast<char>(text[i]);
            ++i;
        }
        if (i == text.size()) {
            Place(text.size(), ref);
            return ref;
        }
    }
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) < 0x80; });
    if (!ascii) {
        scratch_.clear();
        AppendPoolBytes(scratch_, text);
    }
    const std::size_t size = ascii ? text.size() : scratch_.size();
    char* const at = Place(size, ref);
    if (ascii) {
        std::transform(text.begin(), text.end(), at, [](wchar_t c) { return static_cast<char>(c); });
    } else {
        std::copy(scratch_.begin(), scratch_.end(), at);
    }
    return ref;
}

char* TextPool::Place(std::size_t size, Ref& ref) {
    constexpr int kBlockShift = kOffsetBits + kLengthBits;
    if (size >= kLongText) {
        // A long text gets a block of its own, its length in front; short texts go on filling
        // the block they fill.
        const std::uint64_t length = size;
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(sizeof length + size));
        std::memcpy(blocks_.back().get(), &length, sizeof length);
        ref.bits = (static_cast<std::uint64_t>(blocks_.size() - 1) << kBlockShift) | kLongText;
        return blocks_.back().get() + sizeof length;
    }
    if (capacity_ - used_ < size) {
        // A text longer than a block gets a block of its own size.
        capacity_ = std::max(kBlockBytes, size);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
        filling_ = blocks_.size() - 1;
        used_ = 0;
    }
    ref.bits = (static_cast<std::uint64_t>(filling_) << kBlockShift) |
               (static_cast<std::uint64_t>(used_) << kLengthBits) | size;
    char* const at = blocks_[filling_].get() + used_;
    used_ += size;
    return at;
}

void TextPool::Read(Ref ref, std::wstring& out) const {
    out.clear();
    AppendPoolText(out, Bytes(ref));
}

bool TextPool::Holds(Ref ref, std::wstring_view text) const {
    scratch_.clear();
    AppendPoolBytes(scratch_, text);
    return Bytes(ref) == scratch_;
}

void TextPool::Clear() {
    blocks_.clear();
    filling_ = 0;
    used_ = 0;
    capacity_ = 0;
}

} // namespace vk
