#pragma once
// Text comparison as the user expects to see names ordered: the system's locale-aware,
// case-sensitive comparison on Windows (StrCmpW); elsewhere a plain comparison of the code units.

#include <string_view>

namespace vk {

// Negative, zero or positive as a sorts before, with or after b.
[[nodiscard]] int CompareTextLocale(std::wstring_view a, std::wstring_view b);

} // namespace vk
