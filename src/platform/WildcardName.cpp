#include "platform/WildcardName.h"

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

bool MaskMatchesEverything(std::wstring_view mask) {
    if (mask == L"*.*") {
        return true;
    }
    return !mask.empty() && mask.find_first_not_of(L'*') == std::wstring_view::npos;
}

bool MatchesFileMask(std::wstring_view name, std::wstring_view mask) {
    if (MaskMatchesEverything(mask)) {
        return true;
    }
    // Greedy match; on a mismatch, the last star takes one more character. Linear for masks
    // with one star, and never worse than name length times mask length.
    constexpr std::size_t kNone = std::wstring_view::npos;
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = kNone;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size()) {
            const wchar_t mc = mask[m];
            if (mc == L'*') {
                starMask = ++m;
                starName = n;
                continue;
            }
            if (mc == L'?' || mc == name[n] || ToUpperNameChar(mc) == ToUpperNameChar(name[n])) {
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
    while (m < mask.size() && mask[m] == L'*') {
        ++m;
    }
    return m == mask.size();
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
