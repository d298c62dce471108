#include "platform/WildcardName.h"

#include <algorithm>
#include <cstddef>

namespace vk {

wchar_t ToUpperNameCharSlow(wchar_t c) {
    const auto code = static_cast<unsigned long>(c);
    auto upper = code;
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) {
        upper = code - 0x20; // Latin-1 letters
    } else if (code == 0xFF) {
        upper = 0x178;
    } else if ((code >= 0x100 && code <= 0x12F) || (code >= 0x132 && code <= 0x137) ||
               (code >= 0x14A && code <= 0x177)) {
        upper = code & ~1UL; // Latin Extended-A pairs: upper case even, lower case odd
    } else if ((code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E)) {
        upper = (code % 2 == 0) ? code - 1 : code; // the same pairs, shifted by one
    } else if (code >= 0x3B1 && code <= 0x3CB) {
        upper = (code == 0x3C2) ? 0x3A3 : code - 0x20; // Greek, final sigma included
    } else if (code == 0x3AC) {
        upper = 0x386;
    } else if (code >= 0x3AD && code <= 0x3AF) {
        upper = code - 0x25;
    } else if (code == 0x3CC) {
        upper = 0x38C;
    } else if (code == 0x3CD || code == 0x3CE) {
        upper = code - 0x3F;
    } else if (code >= 0x430 && code <= 0x44F) {
        upper = code - 0x20; // Cyrillic
    } else if (code >= 0x450 && code <= 0x45F) {
        upper = code - 0x50;
    }
    return static_cast<wchar_t>(upper);
}

FileMask::FileMask(std::wstring_view mask) {
    // A final '.' only shapes the wildcard before it.
    bool finalDot = !mask.empty() && mask.back() == L'.';
    if (finalDot) {
        mask.remove_suffix(1);
    }
    if (mask == L"*.*") {
        mask = L"*";
        finalDot = false;
    }
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const wchar_t c = mask[i];
        const wchar_t next = i + 1 < mask.size() ? mask[i + 1] : (finalDot ? L'.' : L'\0');
        const bool literalDotNext = next == L'.' && i + 1 < mask.size() &&
                                    !(i + 2 < mask.size() && (mask[i + 2] == L'*' || mask[i + 2] == L'?'));
        Token token;
        if (c == L'*') {
            // Before a literal '.' a run that may not take the last '.' is a plain run: the
            // literal needs a '.' after it anyway.
            token.kind = next == L'.' && !literalDotNext ? Kind::kDosStar : Kind::kStar;
        } else if (c == L'?') {
            token.kind = Kind::kDosQuestion;
        } else if (c == L'.' && (next == L'*' || next == L'?')) {
            token.kind = Kind::kDosDot;
        } else {
            token.upper = ToUpperNameChar(c);
        }
        plain_ = plain_ && (token.kind == Kind::kLiteral || token.kind == Kind::kStar);
        tokens_.push_back(token);
    }
    everything_ = !tokens_.empty() &&
                  std::all_of(tokens_.begin(), tokens_.end(), [](const Token& t) { return t.kind == Kind::kStar; });
}

bool FileMask::Matches(std::wstring_view name) const {
    if (everything_) {
        return true;
    }
    return plain_ ? MatchesPlain(name) : MatchesDos(name);
}

bool FileMask::MatchesPlain(std::wstring_view name) const {
    // Greedy match; on a mismatch, the last star takes one more character. Linear for masks
    // with one star, and never worse than name length times mask length.
    constexpr std::size_t kNone = std::wstring_view::npos;
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = kNone;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < tokens_.size()) {
            const Token& token = tokens_[m];
            if (token.kind == Kind::kStar) {
                starMask = ++m;
                starName = n;
                continue;
            }
            if (token.upper == name[n] || token.upper == ToUpperNameChar(name[n])) {
                ++m;
                ++n;
                continue;
            }
        }
        if (starMask == kNone) {
            return false;
        }
        m = starMask;
        n = ++starName;
    }
    while (m < tokens_.size() && tokens_[m].kind == Kind::kStar) {
        ++m;
    }
    return m == tokens_.size();
}

bool FileMask::MatchesDos(std::wstring_view name) const {
    // The set of mask positions reached so far, one bit each, stepped through the name a
    // character at a time: name length times mask length at worst.
    const std::size_t positions = tokens_.size() + 1;
    const std::size_t words = (positions + 63) / 64;
    thread_local std::vector<std::uint64_t> current;
    thread_local std::vector<std::uint64_t> next;
    current.assign(words, 0);
    const auto has = [](const std::vector<std::uint64_t>& set, std::size_t p) {
        return (set[p / 64] >> (p % 64) & 1U) != 0;
    };
    const auto add = [](std::vector<std::uint64_t>& set, std::size_t p) {
        set[p / 64] |= std::uint64_t{1} << (p % 64);
    };
    const std::size_t lastDot = name.rfind(L'.');

    // Adds the positions reached without taking a character, at name position at.
    const auto close = [&](std::vector<std::uint64_t>& set, std::size_t at) {
        const bool end = at == name.size();
        for (std::size_t p = 0; p < tokens_.size(); ++p) {
            if (!has(set, p)) {
                continue;
            }
            const Kind kind = tokens_[p].kind;
            if (kind == Kind::kStar || kind == Kind::kDosStar ||
                (kind == Kind::kDosQuestion && (end || name[at] == L'.')) || (kind == Kind::kDosDot && end)) {
                add(set, p + 1);
            }
        }
    };

    add(current, 0);
    close(current, 0);
    for (std::size_t at = 0; at < name.size(); ++at) {
        const wchar_t c = name[at];
        const wchar_t upper = ToUpperNameChar(c);
        next.assign(words, 0);
        bool any = false;
        for (std::size_t p = 0; p < tokens_.size(); ++p) {
            if (!has(current, p)) {
                continue;
            }
            const Token& token = tokens_[p];
            switch (token.kind) {
            case Kind::kStar:
                add(next, p);
                any = true;
                break;
            case Kind::kDosStar:
                if (c != L'.' || at != lastDot) {
                    add(next, p);
                    any = true;
                }
                break;
            case Kind::kDosQuestion:
                if (c != L'.') {
                    add(next, p + 1);
                    any = true;
                }
                break;
            case Kind::kDosDot:
                if (c == L'.') {
                    add(next, p + 1);
                    any = true;
                }
                break;
            case Kind::kLiteral:
                if (token.upper == c || token.upper == upper) {
                    add(next, p + 1);
                    any = true;
                }
                break;
            }
        }
        if (!any) {
            return false;
        }
        current.swap(next);
        close(current, at + 1);
    }
    return has(current, tokens_.size());
}

bool MaskMatchesEverything(std::wstring_view mask) {
    return FileMask(mask).MatchesEverything();
}

bool MatchesFileMask(std::wstring_view name, std::wstring_view mask) {
    return FileMask(mask).Matches(name);
}

bool EqualNamesNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && ToUpperNameChar(a[i]) != ToUpperNameChar(b[i])) {
            return false;
        }
    }
    return true;
}

int ListingRank(std::wstring_view name) {
    if (name.size() == 1 && name[0] == L'.') {
        return 0;
    }
    return (name.size() == 2 && name[0] == L'.' && name[1] == L'.') ? 1 : 2;
}

int CompareNamesForListing(std::wstring_view a, std::wstring_view b) {
    const int rankA = ListingRank(a);
    const int rankB = ListingRank(b);
    if (rankA != rankB) {
        return rankA - rankB;
    }
    return CompareNamesNoCase(a, b);
}

int CompareNamesNoCase(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const auto upperA = static_cast<unsigned long>(ToUpperNameChar(a[i]));
        const auto upperB = static_cast<unsigned long>(ToUpperNameChar(b[i]));
        if (upperA != upperB) {
            return upperA < upperB ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    // Equal but for case (possible on POSIX): plain order keeps the listing deterministic.
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return static_cast<unsigned long>(a[i]) < static_cast<unsigned long>(b[i]) ? -1 : 1;
        }
    }
    return 0;
}

} // namespace vk
