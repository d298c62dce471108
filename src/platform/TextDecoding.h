#pragma once
// Turning file bytes into wide text: the Unicode test, UTF-8 and the 8-bit code page. On Windows
// the Unicode test and the code page are the system's (IsTextUnicode, the ANSI code page);
// elsewhere our own statistical UTF-16 test and Windows-1252.
//
// The decoders take text a piece at a time: each writes the characters of the bytes to out,
// which has room for count characters (no byte gives more than one), and uses every byte but
// those of a character cut off at the end. The caller gives those again in front of the bytes
// that follow, so a character split between two reads is never lost; at the end of the text
// they are dropped.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vk {

enum class TextEncoding : std::uint8_t { kCodePage, kUtf8, kUtf16Le };

// How the text that begins with these bytes (up to a chunk of it) is read: as UTF-8 when
// IsUtf8Text says so, else as UTF-16 when IsTextUnicode does, else in the system's 8-bit code page.
// cutOff: the text goes on after the bytes.
[[nodiscard]] TextEncoding DetectTextEncoding(const std::uint8_t* bytes, std::size_t count, bool cutOff);

// True when the bytes look like UTF-16 little-endian text.
[[nodiscard]] bool IsTextUnicode(const std::uint8_t* bytes, std::size_t count);

// True when every byte is printable ASCII, a tab, a line feed or a carriage return.
[[nodiscard]] bool IsPrintableAsciiText(const std::uint8_t* bytes, std::size_t count);

// True when the bytes begin with the UTF-8 byte-order mark, or are well-formed UTF-8 that holds
// at least one character of more than one byte and no NUL (text in UTF-16 has NUL bytes in
// nearly every line). cutOff: the bytes are the start of a longer text, so a sequence cut off at
// their end counts as well-formed.
[[nodiscard]] bool IsUtf8Text(const std::uint8_t* bytes, std::size_t count, bool cutOff);

struct DecodedText {
    std::size_t characters = 0; // written to out
    std::size_t bytesUsed = 0;
};

// UTF-8: on Windows as UTF-16 (a pair of surrogates beyond the Basic Multilingual Plane), elsewhere
// one wide character per character. A byte that begins no well-formed sequence becomes U+FFFD.
[[nodiscard]] DecodedText DecodeUtf8(const std::uint8_t* bytes, std::size_t count, wchar_t* out);

// UTF-16 little-endian units, one wide character per unit, as stored (a byte-order mark included).
[[nodiscard]] DecodedText DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count, wchar_t* out);

// The system's 8-bit code page, one wide character per converted character. In a code page of
// two-byte characters a lead byte at the end waits for its second byte.
[[nodiscard]] DecodedText DecodeAnsi(const std::uint8_t* bytes, std::size_t count, wchar_t* out);

// The wide character of every byte value, as DecodeAnsi converts it, when the system's 8-bit code
// page takes one byte per character; false when a character may take more bytes. Lets 8-bit text
// be matched byte by byte without converting it.
[[nodiscard]] bool AnsiByteTable(std::array<wchar_t, 256>& table);

} // namespace vk
