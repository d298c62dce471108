#include "platform/NetworkServices.h"

namespace vk {
namespace {

// True for a character that takes two UTF-16 units; with 16-bit wide characters each unit is
// a character of its own already.
template <typename Char> constexpr bool IsBeyondBmp(Char c) {
    if constexpr (sizeof(Char) > 2) {
        return static_cast<std::uint32_t>(c) > 0xFFFF;
    } else {
        return false;
    }
}

// The bytes of a string in the buffer: its UTF-16 code units and the terminator, or nothing for
// an empty string (a null pointer). Wide characters are 32-bit on POSIX, where a character
// beyond the Basic Multilingual Plane takes two UTF-16 units.
std::size_t StringBytes(const std::wstring& text) {
    if (text.empty()) {
        return 0;
    }
    std::size_t units = 1;
    for (const wchar_t c : text) {
        units += IsBeyondBmp(c) ? 2 : 1;
    }
    return units * 2;
}

} // namespace

std::size_t EnumRecordBytes(const NetResource& resource) {
    return kEnumRecordFixedBytes + StringBytes(resource.remoteName) + StringBytes(resource.provider);
}

} // namespace vk
