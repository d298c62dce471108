#include "platform/TextCompare.h"

#include <cstdint>

namespace vk {

int CompareTextLocale(std::wstring_view a, std::wstring_view b) {
    // Code unit by code unit, as wcscmp orders terminated strings.
    return a.compare(b);
}

TextSortKeys::TextSortKeys() = default;

bool TextSortKeys::Append(std::wstring_view text, std::string& out) const {
    // Each code unit's bytes, most significant first, so that the bytes order as the units do.
    for (const wchar_t unit : text) {
        const auto value = static_cast<std::uint32_t>(unit);
        for (int shift = static_cast<int>(sizeof(wchar_t) - 1) * 8; shift >= 0; shift -= 8) {
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    return true;
}

} // namespace vk
