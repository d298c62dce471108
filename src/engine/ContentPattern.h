#pragma once
// The containing text of a search made ready for the content test, once per search: the text
// wrapped in stars is a row of pieces (PatternPieces.h) that a file's text must hold in order,
// each at its leftmost place after the one before. The pieces are kept for wide text and, where
// the system's 8-bit code page takes one byte per character, for 8-bit text matched byte by byte.
//
// PieceScan searches one file's text for them as it is read, a chunk at a time, so that a piece
// that straddles two chunks is found like any other and no more than a chunk and the longest
// piece are held.

#include "engine/ByteCodePage.h"
#include "engine/PieceFinder.h"
#include "engine/TextAlphabets.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The pieces of a pattern in the characters of one alphabet.
template <typename Alphabet> struct PieceRow {
    PieceRow(const std::vector<PatternPiece>& pieces, const Alphabet& characters) : alphabet(characters) {
        for (const PatternPiece& piece : pieces) {
            finders.emplace_back(piece, alphabet);
            longest = std::max(longest, piece.size());
            impossible = impossible || finders.back().Impossible();
        }
    }

    Alphabet alphabet;
    std::vector<PieceFinder<Alphabet>> finders;
    std::size_t longest = 0;
    bool impossible = false; // a piece that no text in this alphabet holds
};

// Wraps the containing text in stars, unless it already begins or ends with one: a star in
// front unless it begins with one, and one at the end unless it ends with a star of its own. A
// star that a backslash makes literal (a\* stands for "a*") is no star of its own, and a lone
// backslash at the end (a literal backslash) is written as the escaped pair \\ before the
// closing star, so that the star stays a wildcard. Idempotent.
void WrapContainingText(std::wstring& containingText);

class ContentPattern {
public:
    // The containing text, wrapped in stars here if it is not yet (WrapContainingText), matched
    // without regard to case; 8-bit text in the system's code page.
    explicit ContentPattern(std::wstring_view containingText = L"*");
    // The same with 8-bit text in the given code page (null: converted to wide text first). The
    // code page must outlive the pattern.
    ContentPattern(std::wstring_view containingText, const ByteCodePage* codePage);

    // True when every text holds it ("*", or a star right after a star): a file need not be read.
    [[nodiscard]] bool MatchesEveryText() const { return wide_.finders.empty(); }

    [[nodiscard]] const PieceRow<WideAlphabet>& Wide() const { return wide_; }
    // Null when 8-bit text is converted to wide text first.
    [[nodiscard]] const PieceRow<ByteAlphabet>* Bytes() const { return bytes_ ? &*bytes_ : nullptr; }

private:
    ContentPattern(const std::vector<PatternPiece>& pieces, const ByteCodePage* codePage);

    PieceRow<WideAlphabet> wide_;
    std::optional<PieceRow<ByteAlphabet>> bytes_;
};

// The system's 8-bit code page when its text can be matched byte by byte (one byte per character),
// else null.
[[nodiscard]] const ByteCodePage* SystemByteCodePage();

// One text searched for the pieces of a row as it comes. The caller keeps the text in a window:
// after a Search that did not find every piece, it keeps the window's characters from KeepFrom()
// on, moved to its front, and adds the next characters behind them.
template <typename Alphabet> class PieceScan {
public:
    using Char = typename Alphabet::Char;

    explicit PieceScan(const PieceRow<Alphabet>& row) : row_(row) {}

    // Searches the window text[0, n) on from where the last piece found ended; true once every
    // piece has been found.
    [[nodiscard]] bool Search(const Char* text, std::size_t n) {
        const auto& finders = row_.finders;
        while (next_ < finders.size()) {
            const auto& finder = finders[next_];
            const std::size_t at = finder.Find(row_.alphabet, text, from_, n);
            if (at == finder.kNone) {
                return false;
            }
            from_ = at + finder.Length();
            ++next_;
        }
        return true;
    }

    // After a Search of text[0, n) that returned false: where the characters the next Search needs
    // begin (those after the last piece found, and no more than the next piece's length less one).
    [[nodiscard]] std::size_t KeepFrom(std::size_t n) {
        const std::size_t needed = row_.finders[next_].Length() - 1;
        const std::size_t keepFrom = std::max(from_, n - std::min(n, needed));
        from_ = 0;
        return keepFrom;
    }

private:
    const PieceRow<Alphabet>& row_;
    std::size_t next_ = 0; // the piece searched for
    std::size_t from_ = 0; // in the window: where it may begin
};

} // namespace vk
