#pragma once
// A wildcard pattern of the matcher read into the pieces between its stars. Each piece stands
// for a fixed number of characters, one element each: a literal character, '?' (any character)
// or a class (\A alphabetic, \0 digit, \X one of "IVXCLDM").
//
// The matcher finds the pieces in order: the piece before the first star at the start of the
// text, each piece between two stars at its leftmost place after the one before, and the piece
// after the last star at the end of the text. A star followed at once by another star (or by
// the end) ends the match there with success, whatever follows.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vk {

enum class ElementKind : std::uint8_t { kLiteral, kAny, kAlpha, kDigit, kRoman };

struct PatternElement {
    ElementKind kind = ElementKind::kLiteral;
    wchar_t literal = 0; // kLiteral: the character as written
};

using PatternPiece = std::vector<PatternElement>;

struct PatternShape {
    // false: the pattern has no star, so the head must be the whole text.
    bool hasStar = false;
    // The piece before the first star (perhaps empty), found at the start of the text.
    PatternPiece head;
    // The pieces between stars, none empty, found in order each at its leftmost place.
    std::vector<PatternPiece> middle;
    // true: the last piece found ends the match with success (the pattern ends in a star, or a
    // star follows a star). false: the tail must end the text.
    bool open = true;
    PatternPiece tail;
};

// The shape of pattern (up to its first NUL). "*", "?" and "\" are recognised in either case
// mode, the class letters after "\" (A, 0, X) only in upper case; a backslash before anything
// else is a literal one (a doubled one gives one, "\*" and "\?" a literal star and question mark).
[[nodiscard]] PatternShape ShapeOfPattern(std::wstring_view pattern);

} // namespace vk
