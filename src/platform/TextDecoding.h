#pragma once
// Turning file bytes into wide text: the Unicode test and the 8-bit code page. On Windows these
// are the system's (IsTextUnicode, the ANSI code page); elsewhere our own statistical UTF-16 test
// and Windows-1252.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vk {

// True when the bytes look like UTF-16 little-endian text.
[[nodiscard]] bool IsTextUnicode(const std::uint8_t* bytes, std::size_t count);

// Appends the bytes converted from the system's 8-bit code page, one wide character per
// converted character, to out (which is cleared first).
void DecodeAnsi(const std::uint8_t* bytes, std::size_t count, std::wstring& out);

// The wide character of every byte value, as DecodeAnsi converts it, when the system's 8-bit code
// page takes one byte per character; false when a character may take more bytes. Lets 8-bit text
// be matched byte by byte without converting it.
[[nodiscard]] bool AnsiByteTable(std::array<wchar_t, 256>& table);

// Appends the bytes as UTF-16 little-endian units, one wide character per unit, as stored (a
// byte-order mark included); a trailing odd byte is dropped. out is cleared first.
void DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count, std::wstring& out);

} // namespace vk
