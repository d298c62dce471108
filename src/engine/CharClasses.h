#pragma once
// The character classes of the wildcard matcher, \A (alphabetic) and \0 (digit), by the Unicode
// classification that Windows' wide-character functions use: alphabetic are the letters (general
// category L) and letter numbers (Nl) but for U+00AA, U+00B5 and U+00BA; digits are the decimal
// digits of every script (Nd) and the superscripts 2, 3 and 1 (U+00B2, U+00B3, U+00B9). The
// program carries the table itself (scripts/make-char-classes.py), so that the classes answer
// the same on every build and in every C locale. Characters beyond the Basic Multilingual Plane
// are in neither class (on Windows they are two UTF-16 units, neither of which is).

namespace vk {

[[nodiscard]] bool IsAlphaChar(wchar_t c);
[[nodiscard]] bool IsDigitChar(wchar_t c);

} // namespace vk
