#pragma once
// Numbers typed by people or edited by hand, read the forgiving way: leading white space and a
// sign are accepted, reading stops at the first character that is not a digit, and no digits
// give 0. Values beyond the range saturate instead of wrapping.

#include <cstdint>
#include <limits>
#include <string_view>

namespace vk {

template <class Char> [[nodiscard]] constexpr long long ReadLenientInteger(std::basic_string_view<Char> text) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == Char(' ') || (text[i] >= Char('\t') && text[i] <= Char('\r')))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-'))) {
        negative = text[i] == Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        const int digit = static_cast<int>(text[i] - Char('0'));
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace vk
