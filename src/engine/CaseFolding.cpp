#include "engine/CaseFolding.h"

namespace vk {
namespace {

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
        (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c < kCaseFoldLimit);
    if (evenUpper) {
        return (c & 1) != 0 ? c : c + 1;
    }
    return c;
}

// The fold of every character below kCaseFoldLimit, and for each folded character the (at most three)
// characters that fold to it, so that a scan can compare against them directly.
struct CaseTables {
    char16_t fold[kCaseFoldLimit] = {};
    char16_t variants[kCaseFoldLimit][3] = {};
};

constexpr CaseTables MakeCaseTables() {
    CaseTables tables;
    std::uint32_t counts[kCaseFoldLimit] = {};
    for (std::uint32_t c = 0; c < kCaseFoldLimit; ++c) {
        const std::uint32_t f = FoldOne(c);
        tables.fold[c] = static_cast<char16_t>(f);
        tables.variants[f][counts[f]++] = static_cast<char16_t>(c);
    }
    for (std::uint32_t f = 0; f < kCaseFoldLimit; ++f) {
        for (std::uint32_t i = counts[f]; i < 3 && counts[f] > 0; ++i) {
            tables.variants[f][i] = tables.variants[f][0];
        }
    }
    return tables;
}

constexpr CaseTables kCase = MakeCaseTables();

constexpr bool FoldIsStable() {
    for (std::uint32_t c = 0; c < kCaseFoldLimit; ++c) {
        if (kCase.fold[kCase.fold[c]] != kCase.fold[c]) {
            return false;
        }
    }
    return true;
}
static_assert(FoldIsStable(), "a folded character must fold to itself");

} // namespace

wchar_t FoldCase(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return u < kCaseFoldLimit ? static_cast<wchar_t>(kCase.fold[u]) : c;
}

std::array<wchar_t, 3> CaseForms(wchar_t folded) {
    const auto u = static_cast<std::uint32_t>(folded);
    if (u >= kCaseFoldLimit) {
        return {folded, folded, folded};
    }
    const char16_t* v = kCase.variants[u];
    return {static_cast<wchar_t>(v[0]), static_cast<wchar_t>(v[1]), static_cast<wchar_t>(v[2])};
}

} // namespace vk
