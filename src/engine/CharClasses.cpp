#include "engine/CharClasses.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace vk {
namespace {

struct CharRange {
    std::uint16_t first;
    std::uint16_t last;
};

#include "engine/CharClassTable.inc"

template <std::size_t N> bool InRanges(const CharRange (&ranges)[N], wchar_t c) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code > 0xFFFF) {
        return false;
    }
    // The first range that ends at or after c; c is in it when it also starts at or before c.
    const auto found = std::lower_bound(std::begin(ranges), std::end(ranges), code,
                                        [](const CharRange& range, std::uint32_t value) { return range.last < value; });
    return found != std::end(ranges) && found->first <= code;
}

} // namespace

bool IsAlphaChar(wchar_t c) {
    if (c < 0x80) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
    }
    return InRanges(kAlphaRanges, c);
}

bool IsDigitChar(wchar_t c) {
    if (c < 0x80) {
        return c >= L'0' && c <= L'9';
    }
    return InRanges(kDigitRanges, c);
}

} // namespace vk
