#pragma once
// The blanks of the program's hand-written text files (the folder network's fault rules, the SMB
// authentication file): space, tab, the line ends, form feed and vertical tab, in either width.

#include <string_view>

namespace vk {

template <class Char> [[nodiscard]] constexpr bool IsBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// The text without the blanks at either end.
template <class Char>
[[nodiscard]] constexpr std::basic_string_view<Char> TrimBlanks(std::basic_string_view<Char> text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace vk
