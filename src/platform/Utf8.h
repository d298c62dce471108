#pragma once
// Conversions between UTF-8 and wide strings (UTF-16 on Windows, UTF-32 elsewhere).
// Invalid input becomes U+FFFD; nothing throws.
//
// File names on POSIX are bytes that need not be valid UTF-8. The file-name conversions map them
// without loss: a byte that is not part of a valid UTF-8 sequence (always 0x80 or above) becomes
// the lone surrogate U+DC00 + byte (U+DC80 to U+DCFF), and back. Valid UTF-8 never gives a
// surrogate, so two different names never map to the same wide string.

#include <string>
#include <string_view>

namespace vk {

[[nodiscard]] std::wstring WideFromUtf8(std::string_view text);
[[nodiscard]] std::string Utf8FromWide(std::wstring_view text);

[[nodiscard]] std::wstring WideFromFileName(std::string_view bytes);
[[nodiscard]] std::string FileNameFromWide(std::wstring_view name);

// The first and last code of the wide characters that stand for undecodable file-name bytes.
constexpr wchar_t kFirstEscapedByte = 0xDC80;
constexpr wchar_t kLastEscapedByte = 0xDCFF;

// True for a wide character that stands for an undecodable file-name byte (only where wide
// characters are 32 bits: on Windows names are UTF-16 and a lone surrogate is just that).
[[nodiscard]] inline bool IsEscapedByte(wchar_t c) {
    return sizeof(wchar_t) == 4 && c >= kFirstEscapedByte && c <= kLastEscapedByte;
}

} // namespace vk
