#pragma once
// Comparisons without regard to case must answer the same on every platform and in every C
// locale, so the program carries its own simple (one character to one character) folding
// instead of asking the C library or the system. It maps each upper-case letter to its lower-case
// form in these blocks:
//   - Basic Latin and the Latin-1 Supplement (A-Z, U+00C0-U+00DE except the multiplication sign);
//   - Latin Extended-A (U+0100-U+017F), with Y diaeresis joining its Latin-1 partner, long s
//     folding to s, and the Turkish dotted/dotless I left alone because they pair with plain I/i;
//   - Greek (capitals U+0386-U+03AB), with final sigma folding to sigma;
//   - Cyrillic (U+0400-U+052F).
// Every other character is equal only to itself. A folded character folds to itself.

#include <array>
#include <cstdint>

namespace vk {

// Characters from here on are equal only to themselves.
constexpr std::uint32_t kCaseFoldLimit = 0x0530;

// The folded form of c: the lower-case letter for an upper-case one.
[[nodiscard]] wchar_t FoldCase(wchar_t c);

// The characters whose folded form is folded (itself included), at most three, repeated to fill
// three places. folded must be a folded form.
[[nodiscard]] std::array<wchar_t, 3> CaseForms(wchar_t folded);

} // namespace vk
