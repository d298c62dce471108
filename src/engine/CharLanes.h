#pragma once
// Testing text characters for what a position of a piece may hold, one at a time or, with SSE2
// (every x86-64 processor), 16 bytes at a time, and 8-bit text with AVX2 32 bytes at a time. The
// piece search (PieceFinder.h) uses it to pass over text in which a piece cannot start.

#include "platform/CpuFeatures.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VK_HAVE_SSE2 1
#endif

namespace vk {

// The characters a text position may hold: c with mask ORed in equals value (one character, or
// the two cases of an ASCII letter), or c equals another or another2 (repeats of a character
// already covered when there are no others).
template <typename Char> struct CharProbe {
    Char mask = 0;
    Char value = 0;
    Char another = 0;
    Char another2 = 0;
    bool onlyMasked = true; // another and another2 add nothing

    [[nodiscard]] bool Hit(Char c) const {
        return static_cast<Char>(c | mask) == value || c == another || c == another2;
    }
};

// Builds the probe for up to three characters that stand for one another.
template <typename Char> [[nodiscard]] CharProbe<Char> MakeCharProbe(Char a, Char b, Char c) {
    CharProbe<Char> probe;
    probe.value = probe.another = probe.another2 = a;
    const Char other = b != a ? b : c;
    const auto difference = static_cast<Char>(a ^ other);
    const bool oneBit = (difference & (difference - 1)) == 0;
    if (oneBit && (c == a || c == other)) {
        probe.mask = difference;
        probe.value = static_cast<Char>(a | difference);
        return probe;
    }
    probe.another = b;
    probe.another2 = c;
    probe.onlyMasked = false;
    return probe;
}

#ifdef VK_HAVE_SSE2
namespace lanes {

template <std::size_t Size> struct Sse2;

template <> struct Sse2<1> {
    static __m128i Splat(std::uint8_t c) { return _mm_set1_epi8(static_cast<char>(c)); }
    static __m128i Equal(__m128i a, __m128i b) { return _mm_cmpeq_epi8(a, b); }
    static std::uint32_t Bits(__m128i m) { return static_cast<std::uint32_t>(_mm_movemask_epi8(m)); }
};

template <> struct Sse2<2> {
    static __m128i Splat(std::uint16_t c) { return _mm_set1_epi16(static_cast<short>(c)); }
    static __m128i Equal(__m128i a, __m128i b) { return _mm_cmpeq_epi16(a, b); }
    static std::uint32_t Bits(__m128i m) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(m, _mm_setzero_si128())));
    }
};

template <> struct Sse2<4> {
    static __m128i Splat(std::uint32_t c) { return _mm_set1_epi32(static_cast<int>(c)); }
    static __m128i Equal(__m128i a, __m128i b) { return _mm_cmpeq_epi32(a, b); }
    static std::uint32_t Bits(__m128i m) { return static_cast<std::uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(m))); }
};

// A probe's characters spread over a register.
template <typename Char> struct WideProbe {
    using Ops = Sse2<sizeof(Char)>;
    using Unsigned = std::make_unsigned_t<Char>;

    explicit WideProbe(const CharProbe<Char>& probe)
        : mask(Ops::Splat(static_cast<Unsigned>(probe.mask))), value(Ops::Splat(static_cast<Unsigned>(probe.value))),
          another(Ops::Splat(static_cast<Unsigned>(probe.another))),
          another2(Ops::Splat(static_cast<Unsigned>(probe.another2))) {}

    // kOnlyMasked: the probe's onlyMasked, known to the caller.
    template <bool kOnlyMasked> __m128i Test(const Char* text) const {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        const __m128i hit = Ops::Equal(_mm_or_si128(v, mask), value);
        if constexpr (kOnlyMasked) {
            return hit;
        } else {
            return _mm_or_si128(hit, _mm_or_si128(Ops::Equal(v, another), Ops::Equal(v, another2)));
        }
    }

    __m128i mask;
    __m128i value;
    __m128i another;
    __m128i another2;
};

#ifdef VK_HAVE_AVX2_TARGET
// Bit i set when byte i of the 32 from text may be what the probe stands for (kOnlyMasked: the
// probe's onlyMasked). For callers compiled for AVX2 that have asked CpuHasAvx2().
template <bool kOnlyMasked>
VK_TARGET_AVX2 inline std::uint32_t ByteHits32(const std::uint8_t* text, const CharProbe<std::uint8_t>& probe) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text));
    const auto splat = [](std::uint8_t c) { return static_cast<char>(c); };
    __m256i hit = _mm256_cmpeq_epi8(_mm256_or_si256(v, _mm256_set1_epi8(splat(probe.mask))),
                                    _mm256_set1_epi8(splat(probe.value)));
    if constexpr (!kOnlyMasked) {
        hit = _mm256_or_si256(hit, _mm256_or_si256(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(splat(probe.another))),
                                                   _mm256_cmpeq_epi8(v, _mm256_set1_epi8(splat(probe.another2)))));
    }
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
}
#endif

} // namespace lanes
#endif

} // namespace vk
