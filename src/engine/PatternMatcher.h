#pragma once
// The wildcard matcher for share names and file contents: '*' any run of characters, '?' one
// character, and after a backslash the classes A (alphabetic), 0 (digit) and X (one of
// "IVXCLDM"); a backslash also makes a following '*', '?' or '\' literal.
//
// 8-bit text in a single-byte code page can be matched as it is, without converting it to wide
// characters first: MatchPatternBytes gives the answer MatchPattern gives for the converted text.

#include "engine/ByteCodePage.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vk {

// True when the whole text matches the whole pattern. Both end at their first NUL, if any.
// exact false compares characters without regard to case (the class letters after a backslash
// and the roman class always respect case).
[[nodiscard]] bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact);

// MatchPattern for 8-bit text in the code page: true when the whole text, up to its first 0 byte,
// matches the whole pattern.
[[nodiscard]] bool MatchPatternBytes(std::span<const std::uint8_t> text, std::wstring_view pattern,
                                     const ByteCodePage& codePage, bool exact);

} // namespace vk
