#include "engine/PatternPieces.h"

namespace vk {

namespace {

constexpr wchar_t kStar = L'*';
constexpr wchar_t kOne = L'?';
constexpr wchar_t kEscape = L'\\';

} // namespace

PatternShape ShapeOfPattern(std::wstring_view pattern) {
    if (const std::size_t nul = pattern.find(L'\0'); nul != std::wstring_view::npos) {
        pattern = pattern.substr(0, nul);
    }
    // The pieces in pattern order: the one before the first star, then one after each star.
    std::vector<PatternPiece> pieces(1);
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        const wchar_t c = pattern[p];
        PatternPiece& piece = pieces.back();
        if (c == kStar) {
            pieces.emplace_back();
        } else if (c == kOne) {
            piece.push_back({ElementKind::kAny});
        } else if (c != kEscape) {
            piece.push_back({ElementKind::kLiteral, c});
        } else {
            const wchar_t next = p + 1 < pattern.size() ? pattern[p + 1] : L'\0';
            if (next == L'A' || next == L'0' || next == L'X') {
                piece.push_back({next == L'A'   ? ElementKind::kAlpha
                                 : next == L'0' ? ElementKind::kDigit
                                                : ElementKind::kRoman});
                ++p;
            } else if (next == kStar || next == kOne || next == kEscape) {
                piece.push_back({ElementKind::kLiteral, next});
                ++p;
            } else {
                piece.push_back({ElementKind::kLiteral, kEscape}); // a backslash before anything else
            }
        }
    }

    PatternShape shape;
    shape.hasStar = pieces.size() > 1;
    shape.head = std::move(pieces.front());
    shape.open = shape.hasStar;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (pieces[i].empty()) {
            break; // a star at the end, or right before another star: the match ends there
        }
        if (i + 1 == pieces.size()) {
            shape.tail = std::move(pieces[i]);
            shape.open = false;
        } else {
            shape.middle.push_back(std::move(pieces[i]));
        }
    }
    return shape;
}

} // namespace vk
