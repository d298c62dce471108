#include "engine/SearchRequest.h"

namespace vk {

namespace {

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

} // namespace

KilobyteBound ReadKilobyteBound(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    constexpr std::uint64_t kLargestKilobytes = kLargestSizeLimit / 1024;
    const std::size_t digitsStart = i;
    std::uint64_t kilobytes = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - L'0');
        kilobytes = kilobytes > (kLargestKilobytes - digit) / 10 ? kLargestKilobytes + 1 : kilobytes * 10 + digit;
    }
    const bool anyDigit = i > digitsStart;
    while (i < text.size() && IsWhiteSpace(text[i])) {
        ++i;
    }
    KilobyteBound bound;
    bound.wholeNumber = anyDigit && !negative && i == text.size();
    if (negative) {
        bound.bytes = 0;
    } else if (kilobytes > kLargestKilobytes) {
        bound.bytes = kLargestSizeLimit;
    } else {
        bound.bytes = kilobytes * 1024;
    }
    return bound;
}

} // namespace vk
