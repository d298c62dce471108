#pragma once
// File-name wildcards as Windows listings apply them to long names, no regard to case:
//   '*'  any run of characters; "*" and "*.*" match every name;
//   '?'  one character, or none where the name has a '.' or ends ("Templates?" finds Templates
//        and Templates1, "a?.txt" finds a.txt and ab.txt);
//   '.'  before '*' or '?', a '.' or the end of the name ("a.*" finds a and a.b);
//   '*'  before '.', a run that never takes the name's last '.';
//   a final '.' is dropped after it has made the '*' or '?' before it behave so: "*." finds the
//        names without an extension.
// (Windows turns '*', '?' and '.' into these "DOS" wildcards in its listings; 8.3 short names,
// which Windows also matches on volumes that have them, play no part here.) Also the
// case-insensitive comparison of names that the folder network and the sorted listings use.

#include <cstdint>
#include <string_view>
#include <vector>

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

// A mask made ready for matching many names.
class FileMask {
public:
    explicit FileMask(std::wstring_view mask);

    // True when the whole name matches the whole mask.
    [[nodiscard]] bool Matches(std::wstring_view name) const;
    // True when the mask matches every name ("*", "*.*"), so a listing can skip matching.
    [[nodiscard]] bool MatchesEverything() const { return everything_; }

private:
    enum class Kind : std::uint8_t { kLiteral, kStar, kDosStar, kDosQuestion, kDosDot };
    struct Token {
        Kind kind = Kind::kLiteral;
        wchar_t upper = 0; // a literal's upper-case form
    };
    [[nodiscard]] bool MatchesPlain(std::wstring_view name) const;
    [[nodiscard]] bool MatchesDos(std::wstring_view name) const;

    std::vector<Token> tokens_;
    bool everything_ = false;
    bool plain_ = true; // literals and '*' only
};

[[nodiscard]] bool MatchesFileMask(std::wstring_view name, std::wstring_view mask);
[[nodiscard]] bool MaskMatchesEverything(std::wstring_view mask);

[[nodiscard]] bool EqualNamesNoCase(std::wstring_view a, std::wstring_view b);

// Orders names as sorted listings do: "." and ".." first (ListingRank 0 and 1, other names 2),
// then by upper-case ordinal (CompareNamesNoCase), ties by plain ordinal. Negative, zero or
// positive like a comparison function.
[[nodiscard]] int CompareNamesForListing(std::wstring_view a, std::wstring_view b);
[[nodiscard]] int ListingRank(std::wstring_view name);
[[nodiscard]] int CompareNamesNoCase(std::wstring_view a, std::wstring_view b);

} // namespace vk
