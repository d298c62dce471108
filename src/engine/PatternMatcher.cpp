#include "engine/PatternMatcher.h"

#include "engine/PatternPieces.h"
#include "engine/PieceFinder.h"
#include "engine/TextAlphabets.h"

namespace vk {

bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact) {
    if (const std::size_t nul = text.find(L'\0'); nul != std::wstring_view::npos) {
        text = text.substr(0, nul);
    }
    const PatternShape shape = ShapeOfPattern(pattern);
    const WideAlphabet alphabet(exact);
    const wchar_t* chars = text.data();
    const std::size_t n = text.size();

    const PieceFinder<WideAlphabet> head(shape.head, alphabet);
    if (n < head.Length() || !head.At(alphabet, chars, 0)) {
        return false;
    }
    if (!shape.hasStar) {
        return n == head.Length();
    }
    std::size_t position = head.Length();
    for (const PatternPiece& piece : shape.middle) {
        const PieceFinder<WideAlphabet> finder(piece, alphabet);
        const std::size_t at = finder.Find(alphabet, chars, position, n);
        if (at == finder.kNone) {
            return false;
        }
        position = at + finder.Length();
    }
    if (shape.open) {
        return true;
    }
    // The tail covers the last characters of the text, after the pieces before it.
    const PieceFinder<WideAlphabet> tail(shape.tail, alphabet);
    return n - position >= tail.Length() && tail.At(alphabet, chars, n - tail.Length());
}

} // namespace vk
