#pragma once
// How the characters of a text compare with those of a pattern: wide text through the program's
// own case folding, and 8-bit text in a single-byte code page byte by byte (with the answers its
// conversion to wide characters would give).
//
// An alphabet turns a literal character of the pattern into its own form (LiteralChar: folded
// when case does not count; nothing when no character of the text can equal it), compares a text
// character with that form (Equal), lists the text characters that equal it (Forms, for the
// scans), tells the classes (InClass) and how common a literal is in text (Rank, to choose the
// characters a scan looks for).

#include "engine/ByteCodePage.h"
#include "engine/CaseFolding.h"
#include "engine/PatternPieces.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vk {

// How common a character is in text, 0 (rare) to 255 (a space); characters beyond ASCII are rare.
[[nodiscard]] unsigned CharacterRank(wchar_t folded);

// Whether c is in the class (the roman class always respects case).
[[nodiscard]] bool InCharacterClass(wchar_t c, ElementKind kind);

class WideAlphabet {
public:
    using Char = wchar_t;

    explicit WideAlphabet(bool exact) : exact_(exact) {}

    [[nodiscard]] std::optional<Char> LiteralChar(wchar_t c) const { return exact_ ? c : FoldCase(c); }
    [[nodiscard]] bool Equal(Char textChar, Char literal) const {
        return (exact_ ? textChar : FoldCase(textChar)) == literal;
    }
    [[nodiscard]] std::array<Char, 3> Forms(Char literal) const {
        return exact_ ? std::array<Char, 3>{literal, literal, literal} : CaseForms(literal);
    }
    [[nodiscard]] bool InClass(Char c, ElementKind kind) const { return InCharacterClass(c, kind); }
    [[nodiscard]] unsigned Rank(Char literal) const { return CharacterRank(FoldCase(literal)); }

private:
    bool exact_;
};

class ByteAlphabet {
public:
    using Char = std::uint8_t;

    ByteAlphabet(const ByteCodePage& codePage, bool exact);

    // The representative of the bytes equal to c.
    [[nodiscard]] std::optional<Char> LiteralChar(wchar_t c) const;
    [[nodiscard]] bool Equal(Char textChar, Char literal) const { return representative_[textChar] == literal; }
    [[nodiscard]] std::array<Char, 3> Forms(Char literal) const { return members_[literal]; }
    [[nodiscard]] bool InClass(Char c, ElementKind kind) const { return (classes_[c] & ClassBit(kind)) != 0; }
    [[nodiscard]] unsigned Rank(Char literal) const { return ranks_[literal]; }

private:
    static unsigned ClassBit(ElementKind kind) {
        return kind == ElementKind::kAlpha ? 1U : kind == ElementKind::kDigit ? 2U : 4U;
    }

    const ByteCodePage* codePage_;
    bool exact_;
    std::array<std::uint8_t, 256> representative_ = {};
    std::array<std::array<std::uint8_t, 3>, 256> members_ = {};
    std::array<std::uint8_t, 256> classes_ = {};
    std::array<std::uint8_t, 256> ranks_ = {};
};

} // namespace vk
