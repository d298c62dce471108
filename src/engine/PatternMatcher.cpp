#include "engine/PatternMatcher.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <string>
#include <vector>

namespace vk {

namespace {

// ---------------------------------------------------------------------------------------------
// Case folding
//
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

constexpr std::uint32_t kFoldLimit = 0x0530;

constexpr std::uint32_t FoldOne(std::uint32_t c) {
    if (c >= 'A' && c <= 'Z') {
        return c + 0x20;
    }
    if (c < 0x00C0) {
        return c;
    }
    if (c <= 0x00DE) {
        return c == 0x00D7 ? c : c + 0x20;
    }
    if (c < 0x0100) {
        return c;
    }
    if (c < 0x0180) {
        if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149) {
            return c;
        }
        if (c == 0x0178) {
            return 0x00FF;
        }
        if (c == 0x017F) {
            return 's';
        }
        const bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        if (oddUpper) {
            return (c & 1) != 0 ? c + 1 : c;
        }
        return (c & 1) != 0 ? c : c + 1;
    }
    if (c >= 0x0370 && c < 0x0400) {
        if (c == 0x0386) {
            return 0x03AC;
        }
        if (c >= 0x0388 && c <= 0x038A) {
            return c + 0x25;
        }
        if (c == 0x038C) {
            return 0x03CC;
        }
        if (c == 0x038E || c == 0x038F) {
            return c + 0x3F;
        }
        if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) {
            return c + 0x20;
        }
        return c == 0x03C2 ? 0x03C3 : c;
    }
    if (c >= 0x0400 && c < 0x0410) {
        return c + 0x50;
    }
    if (c >= 0x0410 && c < 0x0430) {
        return c + 0x20;
    }
    if (c == 0x04C0) {
        return 0x04CF;
    }
    if (c >= 0x04C1 && c <= 0x04CE) {
        return (c & 1) != 0 ? c + 1 : c;
    }
    const bool evenUpper =
        (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c < kFoldLimit);
    if (evenUpper) {
        return (c & 1) != 0 ? c : c + 1;
    }
    return c;
}

// The fold of every character below kFoldLimit, and for each folded character the (at most three)
// characters that fold to it, so that a scan can compare against them directly.
struct CaseTables {
    char16_t fold[kFoldLimit] = {};
    char16_t variants[kFoldLimit][3] = {};
};

constexpr CaseTables MakeCaseTables() {
    CaseTables tables;
    std::uint32_t counts[kFoldLimit] = {};
    for (std::uint32_t c = 0; c < kFoldLimit; ++c) {
        const std::uint32_t f = FoldOne(c);
        tables.fold[c] = static_cast<char16_t>(f);
        tables.variants[f][counts[f]++] = static_cast<char16_t>(c);
    }
    for (std::uint32_t f = 0; f < kFoldLimit; ++f) {
        for (std::uint32_t i = counts[f]; i < 3 && counts[f] > 0; ++i) {
            tables.variants[f][i] = tables.variants[f][0];
        }
    }
    return tables;
}

constexpr CaseTables kCase = MakeCaseTables();

constexpr bool FoldIsStable() {
    for (std::uint32_t c = 0; c < kFoldLimit; ++c) {
        if (kCase.fold[kCase.fold[c]] != kCase.fold[c]) {
            return false;
        }
    }
    return true;
}
static_assert(FoldIsStable(), "a folded character must fold to itself");

inline wchar_t Fold(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return u < kFoldLimit ? static_cast<wchar_t>(kCase.fold[u]) : c;
}

// ---------------------------------------------------------------------------------------------
// Tokens

enum TokenType : int {
    kEnd = -1,
    kLiteral = 0,
    kStar = 1,
    kOne = 2,
    kAlpha = 3,
    kDigit = 4,
    kRoman = 5,
};

struct Token {
    TokenType type = kEnd;
    std::size_t begin = 0;  // literal: first character in the literal buffer
    std::size_t length = 0; // literal: its length; other tokens: unused
};

constexpr wchar_t kStarChar = L'*';
constexpr wchar_t kOneChar = L'?';
constexpr wchar_t kEscapeChar = L'\\';

// The class letter after an escape, always compared exactly.
TokenType ClassOf(wchar_t letter) {
    switch (letter) {
    case L'A':
        return kAlpha;
    case L'0':
        return kDigit;
    case L'X':
        return kRoman;
    default:
        return kEnd;
    }
}

// Reads one token at p and moves p past it. A literal run's characters are appended to literals.
// "*", "?" and "\" have no other case forms, so comparing them exactly is the same as comparing
// them in either case mode.
TokenType NextToken(std::wstring_view pattern, std::size_t& p, std::wstring& literals) {
    if (p >= pattern.size()) {
        return kEnd;
    }
    const wchar_t c = pattern[p];
    if (c == kStarChar) {
        ++p;
        return kStar;
    }
    if (c == kOneChar) {
        ++p;
        return kOne;
    }
    if (c == kEscapeChar && p + 1 < pattern.size()) {
        const TokenType cls = ClassOf(pattern[p + 1]);
        if (cls != kEnd) {
            p += 2;
            return cls;
        }
    }
    while (p < pattern.size()) {
        const wchar_t ch = pattern[p];
        if (ch == kStarChar || ch == kOneChar) {
            break;
        }
        if (ch != kEscapeChar) {
            literals.push_back(ch);
            ++p;
            continue;
        }
        if (p + 1 < pattern.size() && ClassOf(pattern[p + 1]) != kEnd) {
            break; // the class is the next token
        }
        ++p; // drop the escape and look at what follows
        if (p < pattern.size() && (pattern[p] == kStarChar || pattern[p] == kOneChar)) {
            literals.push_back(pattern[p]);
            ++p;
            continue;
        }
        if (p < pattern.size() && pattern[p] == kEscapeChar) {
            ++p;
        }
        literals.push_back(kEscapeChar);
    }
    return kLiteral;
}

// ---------------------------------------------------------------------------------------------
// Matching

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::size_t kScanBlock = 32;

// One call of MatchPattern. The pattern is read into tokens once, with its literals folded once
// when case does not count, so that a long text is scanned without re-reading the pattern.
class Matcher {
public:
    Matcher(std::wstring_view text, std::wstring_view pattern, bool exact) : text_(text), exact_(exact) {
        std::size_t p = 0;
        for (;;) {
            const std::size_t begin = literals_.size();
            const TokenType type = NextToken(pattern, p, literals_);
            tokens_.push_back(Token{type, begin, literals_.size() - begin});
            if (type == kEnd) {
                break;
            }
        }
        if (!exact_) {
            for (wchar_t& c : literals_) {
                c = Fold(c);
            }
        }
    }

    bool Run() const {
        const std::size_t n = text_.size();
        std::size_t p = 0; // next token
        std::size_t t = 0; // text position
        for (;;) {
            const Token& token = tokens_[p++];
            switch (token.type) {
            case kEnd:
                return t == n;
            case kLiteral:
                if (!HasLiteralAt(t, token)) {
                    return false;
                }
                t += token.length;
                break;
            case kOne:
                if (t == n) {
                    return false;
                }
                ++t;
                break;
            case kAlpha:
            case kDigit:
            case kRoman:
                if (t == n || !InClass(text_[t], token.type)) {
                    return false;
                }
                ++t;
                break;
            case kStar: {
                // Look ahead to the next star or the end: how many characters the tokens there need.
                std::size_t q = p;
                std::size_t need = 0;
                while (tokens_[q].type != kStar && tokens_[q].type != kEnd) {
                    need += tokens_[q].type == kLiteral ? tokens_[q].length : 1;
                    ++q;
                }
                const bool tail = tokens_[q].type == kEnd;
                // A star at the end matches the rest. A star directly followed by another star
                // ends the match here too, with success, whatever the rest of the pattern says.
                if (need == 0) {
                    return true;
                }
                if (n - t < need) {
                    return false;
                }
                if (tail) {
                    t = n - need; // the last tokens must cover the last need characters
                    break;
                }
                t = FindSegment(t, p, need);
                if (t == kNone) {
                    return false;
                }
                p = q; // read the closing star again
                break;
            }
            }
        }
    }

private:
    static bool InClass(wchar_t c, TokenType type) {
        switch (type) {
        case kAlpha:
            return std::iswalpha(static_cast<std::wint_t>(c)) != 0;
        case kDigit:
            return std::iswdigit(static_cast<std::wint_t>(c)) != 0;
        case kRoman:
            return c == L'I' || c == L'V' || c == L'X' || c == L'C' || c == L'L' || c == L'D' || c == L'M';
        default:
            return false;
        }
    }

    // Does the text at t begin with the literal (characters after the first compared from 'from')?
    bool LiteralMatchesFrom(std::size_t t, const Token& literal, std::size_t from) const {
        const wchar_t* text = text_.data() + t;
        const wchar_t* lit = literals_.data() + literal.begin;
        if (exact_) {
            for (std::size_t i = from; i < literal.length; ++i) {
                if (text[i] != lit[i]) {
                    return false;
                }
            }
            return true;
        }
        for (std::size_t i = from; i < literal.length; ++i) {
            if (Fold(text[i]) != lit[i]) {
                return false;
            }
        }
        return true;
    }

    bool HasLiteralAt(std::size_t t, const Token& literal) const {
        return text_.size() - t >= literal.length && LiteralMatchesFrom(t, literal, 0);
    }

    // The characters that equal c in the call's case mode (c already folded when not exact).
    struct Forms {
        wchar_t v0;
        wchar_t v1;
        wchar_t v2;

        bool Has(wchar_t c) const { return c == v0 || c == v1 || c == v2; }
        unsigned Hit(wchar_t c) const {
            return static_cast<unsigned>(c == v0) | static_cast<unsigned>(c == v1) | static_cast<unsigned>(c == v2);
        }
    };

    Forms FormsOf(wchar_t c) const {
        const auto u = static_cast<std::uint32_t>(c);
        if (exact_ || u >= kFoldLimit) {
            return Forms{c, c, c};
        }
        const char16_t* v = kCase.variants[u];
        return Forms{static_cast<wchar_t>(v[0]), static_cast<wchar_t>(v[1]), static_cast<wchar_t>(v[2])};
    }

    // Could any of the kScanBlock positions from block start the literal? Looks at the literal's
    // first and last characters only, and is written without early exits so that the compiler can
    // compare the whole block at once.
    static bool BlockMayHold(const wchar_t* block, std::size_t lastOffset, const Forms& first, const Forms& last) {
        unsigned any = 0;
        for (std::size_t i = 0; i < kScanBlock; ++i) {
            any |= first.Hit(block[i]) & last.Hit(block[i + lastOffset]);
        }
        return any != 0;
    }

    // The first position at or after s at which the text begins with the literal, or kNone.
    std::size_t FindLiteral(std::size_t s, const Token& literal) const {
        const std::size_t n = text_.size();
        if (n - s < literal.length) {
            return kNone;
        }
        const std::size_t last = n - literal.length; // the last position that leaves room for it
        const std::size_t lastOffset = literal.length - 1;
        const Forms headForms = FormsOf(literals_[literal.begin]);
        const Forms tailForms = FormsOf(literals_[literal.begin + lastOffset]);
        const wchar_t* text = text_.data();
        std::size_t k = s;
        for (;;) {
            while (last - k >= kScanBlock && !BlockMayHold(text + k, lastOffset, headForms, tailForms)) {
                k += kScanBlock;
            }
            const std::size_t blockLast = std::min(last, k + kScanBlock - 1);
            for (; k <= blockLast; ++k) {
                if (headForms.Has(text[k]) && tailForms.Has(text[k + lastOffset]) &&
                    LiteralMatchesFrom(k, literal, 1)) {
                    return k;
                }
            }
            if (k > last) {
                return kNone;
            }
        }
    }

    // The first character at or after s in the class, or kNone.
    std::size_t FindClass(std::size_t s, TokenType type) const {
        for (std::size_t k = s; k < text_.size(); ++k) {
            if (InClass(text_[k], type)) {
                return k;
            }
        }
        return kNone;
    }

    // Finds the leftmost place at or after c where the tokens from p up to the next star match, and
    // returns the text position after it, or kNone. need is the number of characters they cover.
    std::size_t FindSegment(std::size_t c, std::size_t p, std::size_t need) const {
        const std::size_t n = text_.size();
        for (;; ++c) {
            if (n - c < need) {
                return kNone;
            }
            std::size_t s = c;
            std::size_t q = p;
            bool first = true;    // no literal or class seen yet: the first one is searched for
            std::size_t ones = 0; // question marks before it
            bool failed = false;
            while (!failed) {
                const Token& token = tokens_[q++];
                if (token.type == kStar) {
                    return s;
                }
                if (s == n) {
                    return kNone; // the segment does not fit here, nor further on
                }
                switch (token.type) {
                case kLiteral:
                    if (first) {
                        const std::size_t k = FindLiteral(s, token);
                        if (k == kNone) {
                            return kNone;
                        }
                        // The attempt now starts at the question marks before the literal, so
                        // that a failure retries from the next character after that start.
                        c = k - ones;
                        s = k + token.length;
                        first = false;
                    } else if (HasLiteralAt(s, token)) {
                        s += token.length;
                    } else {
                        failed = true;
                    }
                    break;
                case kOne:
                    ++s;
                    if (first) {
                        ++ones;
                    }
                    break;
                case kAlpha:
                case kDigit:
                case kRoman:
                    if (first) {
                        first = false;
                        const std::size_t k = FindClass(s, token.type);
                        if (k == kNone) {
                            return kNone;
                        }
                        c = k - ones;
                        s = k + 1;
                    } else if (InClass(text_[s], token.type)) {
                        ++s;
                    } else {
                        failed = true;
                    }
                    break;
                default:
                    return kNone; // kEnd cannot come before the closing star
                }
            }
        }
    }

    std::wstring_view text_;
    bool exact_;
    std::vector<Token> tokens_;
    std::wstring literals_;
};

std::wstring_view UpToNul(std::wstring_view s) {
    const std::size_t nul = s.find(L'\0');
    return nul == std::wstring_view::npos ? s : s.substr(0, nul);
}

} // namespace

bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact) {
    return Matcher(UpToNul(text), UpToNul(pattern), exact).Run();
}

} // namespace vk
