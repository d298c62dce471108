#include "engine/SearchRequest.h"

namespace vk {

std::uint32_t SizeLimitFromKilobyteText(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    // Unsigned arithmetic wraps exactly as "modulo 2^32" asks, whatever the number of digits.
    std::uint32_t kilobytes = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        kilobytes = kilobytes * 10u + static_cast<std::uint32_t>(text[i] - L'0');
    }
    if (negative) {
        kilobytes = 0u - kilobytes;
    }
    return kilobytes * 1024u;
}

} // namespace vk
