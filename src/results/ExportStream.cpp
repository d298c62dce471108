#include "results/ExportStream.h"

namespace vk {
namespace {

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kHighSurrogateLast = 0xDBFF;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kLowSurrogateLast = 0xDFFF;

bool IsHighSurrogate(char32_t c) {
    return c >= kHighSurrogateFirst && c <= kHighSurrogateLast;
}

bool IsLowSurrogate(char32_t c) {
    return c >= kLowSurrogateFirst && c <= kLowSurrogateLast;
}

} // namespace

void ExportStream::Write(std::wstring_view piece) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
        char32_t c = static_cast<char32_t>(piece[i]);
        if (c == U'\n') {
            bytes_ += "\r\n";
        } else if (c <= 0xFF) {
            bytes_ += static_cast<char>(static_cast<unsigned char>(c));
        } else {
            // UTF-16 (Windows) keeps a character beyond U+FFFF as two code units.
            if (IsHighSurrogate(c) && i + 1 < piece.size() && IsLowSurrogate(static_cast<char32_t>(piece[i + 1]))) {
                const auto low = static_cast<char32_t>(piece[++i]);
                c = 0x10000 + ((c - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
            }
            bytes_ += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
            wroteReferences_ = true;
        }
    }
}

} // namespace vk
