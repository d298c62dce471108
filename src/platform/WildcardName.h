#pragma once
// File-name wildcards as Windows listings apply them: '*' any run of characters, '?' exactly one
// character, no regard to case; "*" and "*.*" match every name. Also the case-insensitive
// comparison of names that the folder network and the sorted listings use.

#include <string_view>

namespace vk {

// The upper-case form of a character for name comparisons: ASCII, Latin-1, Latin Extended-A,
// basic Greek and Cyrillic. Other characters compare as they are.
[[nodiscard]] wchar_t ToUpperNameCharSlow(wchar_t c);

[[nodiscard]] inline wchar_t ToUpperNameChar(wchar_t c) {
    if (c < 0x80) {
        return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
    }
    return ToUpperNameCharSlow(c);
}

// True when the whole name matches the whole mask.
[[nodiscard]] bool MatchesFileMask(std::wstring_view name, std::wstring_view mask);

// True when the mask matches every name ("*", "*.*"), so a listing can skip matching.
[[nodiscard]] bool MaskMatchesEverything(std::wstring_view mask);

[[nodiscard]] bool EqualNamesNoCase(std::wstring_view a, std::wstring_view b);

// Orders names as sorted listings do: "." and ".." first (ListingRank 0 and 1, other names 2),
// then by upper-case ordinal (CompareNamesNoCase), ties by plain ordinal. Negative, zero or
// positive like a comparison function.
[[nodiscard]] int CompareNamesForListing(std::wstring_view a, std::wstring_view b);
[[nodiscard]] int ListingRank(std::wstring_view name);
[[nodiscard]] int CompareNamesNoCase(std::wstring_view a, std::wstring_view b);

} // namespace vk
