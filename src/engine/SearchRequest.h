#pragma once
// What the user asked for. Written by the search forms (or the console tool) while no search
// runs, read by the engine's threads during a search.

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

struct SearchRequest {
    // File or folder masks separated by space, ';' or ','. Empty: no directory is walked.
    std::wstring fileMask;
    // A wildcard pattern for share names. Empty: every share qualifies.
    std::wstring shareMask;
    bool sizeFilterOn = false;
    // false: an entry's size must be at least sizeLimit; true: at most. Both inclusive.
    bool sizeAtMost = false;
    // Bytes: the kilobyte value times 1024, modulo 2^32.
    std::uint32_t sizeLimit = 0;
    bool textFilterOn = false;
    // The text files must contain; wrapped in stars at the first content test of a search.
    std::wstring containingText;
};

} // namespace vk

namespace vk {

// Whether an entry of that size (the low 32 bits) passes the request's size filter.
[[nodiscard]] inline bool PassesSizeFilter(const SearchRequest& request, std::uint32_t size) {
    if (!request.sizeFilterOn) {
        return true;
    }
    return request.sizeAtMost ? size <= request.sizeLimit : size >= request.sizeLimit;
}

// The size bound typed as kilobytes: the decimal integer at the start of the text (leading
// white space and a sign accepted, reading stops at the first non-digit, 0 without digits),
// times 1024, modulo 2^32.
[[nodiscard]] std::uint32_t SizeLimitFromKilobyteText(std::wstring_view text);

} // namespace vk
