#include "results/ClipboardBlocks.h"

#include <cstdint>

namespace vk {
namespace {

constexpr std::uint32_t kFileListOffset = 20;
constexpr std::size_t kSpareEndBytes = 5;

void AppendUnit(std::vector<unsigned char>& bytes, std::uint32_t unit) {
    bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
    bytes.push_back(static_cast<unsigned char>((unit >> 8) & 0xFF));
}

void AppendDword(std::vector<unsigned char>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
    }
}

// The text as UTF-16 code units: as they are where wide characters are 16 bits wide (Windows),
// as surrogate pairs for characters beyond U+FFFF where they are 32 bits wide.
void AppendUtf16(std::vector<unsigned char>& bytes, std::wstring_view text) {
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            const std::uint32_t rest = code - 0x10000;
            AppendUnit(bytes, 0xD800 + (rest >> 10));
            AppendUnit(bytes, 0xDC00 + (rest & 0x3FF));
        } else {
            AppendUnit(bytes, code);
        }
    }
}

} // namespace

std::vector<unsigned char> FileDropBlock(const std::vector<std::wstring>& paths) {
    std::vector<unsigned char> bytes;
    AppendDword(bytes, kFileListOffset);
    AppendDword(bytes, 0); // drop point x
    AppendDword(bytes, 0); // drop point y
    AppendDword(bytes, 0); // non-client flag
    AppendDword(bytes, 1); // wide characters
    for (const std::wstring& path : paths) {
        AppendUtf16(bytes, path);
        AppendUnit(bytes, 0);
    }
    bytes.insert(bytes.end(), kSpareEndBytes, 0);
    return bytes;
}

std::vector<unsigned char> UnicodeTextBlock(std::wstring_view text) {
    std::vector<unsigned char> bytes;
    AppendUtf16(bytes, text);
    AppendUnit(bytes, 0);
    return bytes;
}

} // namespace vk
