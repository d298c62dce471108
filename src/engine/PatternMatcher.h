#pragma once
// The wildcard matcher for share names and file contents: '*' any run of characters, '?' one
// character, and after a backslash the classes A (alphabetic), 0 (digit) and X (one of
// "IVXCLDM"); a backslash also makes a following '*', '?' or '\' literal. The content test
// searches file text for the same pieces as it streams (ContentPattern.h).

#include <string_view>

namespace vk {

// True when the whole text matches the whole pattern. Both end at their first NUL, if any.
// exact false compares characters without regard to case (the class letters after a backslash
// and the roman class always respect case). The cost stays within the text's length times the
// pattern's, and is about the text's length for the common patterns.
[[nodiscard]] bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact);

} // namespace vk
