#include "engine/PatternMatcher.h"

#include "engine/CaseFolding.h"
#include "engine/CharClasses.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vk {

namespace {

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

bool IsClass(TokenType type) {
    return type == kAlpha || type == kDigit || type == kRoman;
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

// A pattern read into tokens, ending with kEnd, and the characters of its literals as written.
struct Tokens {
    std::vector<Token> tokens;
    std::wstring literals;

    bool HasClass() const {
        return std::any_of(tokens.begin(), tokens.end(), [](const Token& token) { return IsClass(token.type); });
    }
};

Tokens Tokenize(std::wstring_view pattern) {
    Tokens result;
    std::size_t p = 0;
    for (;;) {
        const std::size_t begin = result.literals.size();
        const TokenType type = NextToken(pattern, p, result.literals);
        result.tokens.push_back(Token{type, begin, result.literals.size() - begin});
        if (type == kEnd) {
            return result;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Alphabets: how the characters of a text compare with those of a pattern

bool InWideClass(wchar_t c, TokenType type) {
    switch (type) {
    case kAlpha:
        return IsAlphaChar(c);
    case kDigit:
        return IsDigitChar(c);
    case kRoman:
        return c == L'I' || c == L'V' || c == L'X' || c == L'C' || c == L'L' || c == L'D' || c == L'M';
    default:
        return false;
    }
}

// The characters that equal a literal character, as up to three values (repeated to fill). A scan
// compares a whole block of text against them without branches.
template <typename Char> struct Forms {
    Char v0;
    Char v1;
    Char v2;

    unsigned Hit(Char c) const {
        return static_cast<unsigned>(c == v0) | static_cast<unsigned>(c == v1) | static_cast<unsigned>(c == v2);
    }
};

// The common case of Forms: one character, or two that differ in one bit (the cases of an ASCII
// letter), tested with a single comparison.
template <typename Char> struct OneBitForms {
    Char mask;
    Char value;

    unsigned Hit(Char c) const { return static_cast<unsigned>(static_cast<Char>(c | mask) == value); }

    static std::optional<OneBitForms> Of(const Forms<Char>& forms) {
        const Char other = forms.v1 != forms.v0 ? forms.v1 : forms.v2;
        if (forms.v2 != forms.v0 && forms.v2 != other) {
            return std::nullopt; // three different characters
        }
        const Char mask = static_cast<Char>(forms.v0 ^ other);
        if ((mask & (mask - 1)) != 0) {
            return std::nullopt; // they differ in more than one bit
        }
        return OneBitForms{mask, static_cast<Char>(forms.v0 | mask)};
    }
};

// Wide text, compared through the program's own case folding.
class WideAlphabet {
public:
    using Char = wchar_t;

    explicit WideAlphabet(bool exact) : exact_(exact) {}

    // A literal character as the matcher keeps it: folded when case does not count.
    Char LiteralChar(wchar_t c) const { return exact_ ? c : FoldCase(c); }
    bool Equal(Char textChar, Char literalChar) const {
        return (exact_ ? textChar : FoldCase(textChar)) == literalChar;
    }

    Forms<Char> FormsOf(Char literalChar) const {
        if (exact_) {
            return Forms<Char>{literalChar, literalChar, literalChar};
        }
        const std::array<wchar_t, 3> forms = CaseForms(literalChar);
        return Forms<Char>{forms[0], forms[1], forms[2]};
    }

    bool InClass(Char c, TokenType type) const { return InWideClass(c, type); }

private:
    bool exact_;
};

// The bytes of a single-byte code page. Each byte is compared through its representative; a
// literal character that no byte equals becomes 0, which no byte of the text is.
class ByteAlphabet {
public:
    using Char = std::uint8_t;

    ByteAlphabet(const ByteCodePage& codePage, bool exact, const Tokens& pattern)
        : codePage_(codePage), exact_(exact), representative_(codePage.Representatives(exact)) {
        // The classes of the decoded characters, asked of the C library at the time of the call,
        // as the wide matcher does.
        if (pattern.HasClass()) {
            for (std::size_t byte = 0; byte < classes_.size(); ++byte) {
                const wchar_t c = codePage.Decoded(static_cast<std::uint8_t>(byte));
                classes_[byte] = static_cast<std::uint8_t>((InWideClass(c, kAlpha) ? kAlphaBit : 0) |
                                                           (InWideClass(c, kDigit) ? kDigitBit : 0) |
                                                           (InWideClass(c, kRoman) ? kRomanBit : 0));
            }
        }
    }

    Char LiteralChar(wchar_t c) const { return codePage_.Encode(c, exact_); }
    bool Equal(Char textChar, Char literalChar) const { return representative_[textChar] == literalChar; }

    Forms<Char> FormsOf(Char literalChar) const {
        if (literalChar == 0) {
            return Forms<Char>{0, 0, 0};
        }
        const std::array<std::uint8_t, 3>& members = codePage_.Members(literalChar, exact_);
        return Forms<Char>{members[0], members[1], members[2]};
    }

    bool InClass(Char c, TokenType type) const {
        const unsigned bit = type == kAlpha ? kAlphaBit : type == kDigit ? kDigitBit : kRomanBit;
        return (classes_[c] & bit) != 0;
    }

private:
    static constexpr unsigned kAlphaBit = 1;
    static constexpr unsigned kDigitBit = 2;
    static constexpr unsigned kRomanBit = 4;

    const ByteCodePage& codePage_;
    bool exact_;
    const std::array<std::uint8_t, 256>& representative_;
    std::array<std::uint8_t, 256> classes_ = {};
};

// ---------------------------------------------------------------------------------------------
// Matching

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// One call of the matcher. The pattern's literals are converted once to the alphabet's characters
// (folded when case does not count), so that a long text is scanned without re-reading the pattern.
template <typename Alphabet> class Matcher {
public:
    using Char = typename Alphabet::Char;
    using Text = std::span<const Char>;

    Matcher(Text text, const Tokens& pattern, const Alphabet& alphabet)
        : text_(text), tokens_(pattern.tokens), alphabet_(alphabet) {
        literals_.reserve(pattern.literals.size());
        for (const wchar_t c : pattern.literals) {
            literals_.push_back(alphabet_.LiteralChar(c));
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
                if (t == n || !alphabet_.InClass(text_[t], token.type)) {
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
    // A scan tests this many positions at once: 64 bytes or 32 wide characters.
    static constexpr std::size_t kScanBlock = sizeof(Char) == 1 ? 64 : 32;

    // Does the text at t begin with the literal (characters after the first compared from 'from')?
    bool LiteralMatchesFrom(std::size_t t, const Token& literal, std::size_t from) const {
        const Char* text = text_.data() + t;
        const Char* lit = literals_.data() + literal.begin;
        for (std::size_t i = from; i < literal.length; ++i) {
            if (!alphabet_.Equal(text[i], lit[i])) {
                return false;
            }
        }
        return true;
    }

    bool HasLiteralAt(std::size_t t, const Token& literal) const {
        return text_.size() - t >= literal.length && LiteralMatchesFrom(t, literal, 0);
    }

    // Could any of the kScanBlock positions from block start the literal? Looks at the literal's
    // first and last characters only, and is written without early exits so that the compiler can
    // compare the whole block at once.
    template <typename Probe>
    static bool BlockMayHold(const Char* block, std::size_t lastOffset, const Probe& first, const Probe& last) {
        unsigned any = 0;
        for (std::size_t i = 0; i < kScanBlock; ++i) {
            any |= first.Hit(block[i]) & last.Hit(block[i + lastOffset]);
        }
        return any != 0;
    }

    // The first position at or after s at which the text begins with the literal, or kNone.
    std::size_t FindLiteral(std::size_t s, const Token& literal) const {
        if (text_.size() - s < literal.length) {
            return kNone;
        }
        const Forms<Char> head = alphabet_.FormsOf(literals_[literal.begin]);
        const Forms<Char> tail = alphabet_.FormsOf(literals_[literal.begin + literal.length - 1]);
        const auto oneBitHead = OneBitForms<Char>::Of(head);
        const auto oneBitTail = OneBitForms<Char>::Of(tail);
        if (oneBitHead && oneBitTail) {
            return ScanForLiteral(s, literal, *oneBitHead, *oneBitTail);
        }
        return ScanForLiteral(s, literal, head, tail);
    }

    template <typename Probe>
    std::size_t ScanForLiteral(std::size_t s, const Token& literal, const Probe& head, const Probe& tail) const {
        const std::size_t last = text_.size() - literal.length; // the last position that leaves room for it
        const std::size_t lastOffset = literal.length - 1;
        const Char* text = text_.data();
        std::size_t k = s;
        for (;;) {
            while (last - k >= kScanBlock && !BlockMayHold(text + k, lastOffset, head, tail)) {
                k += kScanBlock;
            }
            const std::size_t blockLast = std::min(last, k + kScanBlock - 1);
            for (; k <= blockLast; ++k) {
                if (head.Hit(text[k]) != 0 && tail.Hit(text[k + lastOffset]) != 0 &&
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
            if (alphabet_.InClass(text_[k], type)) {
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
                    } else if (alphabet_.InClass(text_[s], token.type)) {
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

    Text text_;
    const std::vector<Token>& tokens_;
    const Alphabet& alphabet_;
    std::vector<Char> literals_;
};

std::wstring_view UpToNul(std::wstring_view s) {
    const std::size_t nul = s.find(L'\0');
    return nul == std::wstring_view::npos ? s : s.substr(0, nul);
}

} // namespace

bool MatchPattern(std::wstring_view text, std::wstring_view pattern, bool exact) {
    const Tokens tokens = Tokenize(UpToNul(pattern));
    const WideAlphabet alphabet(exact);
    const std::wstring_view cut = UpToNul(text);
    return Matcher<WideAlphabet>(std::span<const wchar_t>(cut.data(), cut.size()), tokens, alphabet).Run();
}

bool MatchPatternBytes(std::span<const std::uint8_t> text, std::wstring_view pattern, const ByteCodePage& codePage,
                       bool exact) {
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
    const std::size_t length =
        nul == nullptr ? text.size() : static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - text.data());
    const Tokens tokens = Tokenize(UpToNul(pattern));
    const ByteAlphabet alphabet(codePage, exact, tokens);
    return Matcher<ByteAlphabet>(text.first(length), tokens, alphabet).Run();
}

} // namespace vk
