#pragma once
// The wildcard matcher for share names and file contents: '*' any run of characters, '?' one
// character, and after a backslash the classes A (alphabetic), 0 (digit) and X (one of
// "IVXCLDM"); a backslash also makes a following '*', '?' or '\' literal.

#include <string_view>

namespace vk {

// True when the whole text matches the whole pattern. Both end at their first NUL, if any.
// exact false compares characters without regard to case (the class letters after a backslash
// and the roman class always respect case).
[[nodiscard]] bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact);

} // namespace vk
