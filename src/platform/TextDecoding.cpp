#include "platform/TextDecoding.h"

#include "platform/CpuFeatures.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VK_TEXT_SSE2 1
#endif

namespace vk {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;

// Eight bytes from p, all below 0x80 and none 0: plain ASCII text.
bool EightPlainAsciiBytes(const std::uint8_t* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    const bool anyHigh = (word & kHighBits) != 0;
    const bool anyZero = ((word - kLowBits) & ~word & kHighBits) != 0;
    return !anyHigh && !anyZero;
}

// The well-formed sequence that begins at p (lead >= 0x80): its length and character; 0 when it
// is cut off at the end of the available bytes with no fault so far; -1 when it is not
// well-formed (the Unicode standard's table of well-formed byte sequences: no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
int Sequence(const std::uint8_t* p, std::size_t available, char32_t& code) {
    const unsigned lead = p[0];
    int length = 0;
    unsigned low = 0x80; // the range of the second byte
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        if (static_cast<std::size_t>(k) >= available) {
            return 0;
        }
        const unsigned next = p[k];
        if (next < (k == 1 ? low : 0x80U) || next > (k == 1 ? high : 0xBFU)) {
            return -1;
        }
        code = (code << 6) | (next & 0x3F);
    }
    return length;
}

std::size_t PutWide(wchar_t* out, char32_t code) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (code >= 0x10000) {
            code -= 0x10000;
            out[0] = static_cast<wchar_t>(0xD800 + (code >> 10));
            out[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
            return 2;
        }
    }
    out[0] = static_cast<wchar_t>(code);
    return 1;
}

// The length of the run of plain ASCII (below 0x80, no 0) that begins the bytes, give or take:
// it stops at the last whole block of 16 (with SSE2) or 8 before the first other byte.
std::size_t PlainAsciiRun(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
#ifdef VK_TEXT_SSE2
    const __m128i zero = _mm_setzero_si128();
    for (; count - i >= 16; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, zero))) != 0) {
            break;
        }
    }
#endif
    while (count - i >= 8 && EightPlainAsciiBytes(bytes + i)) {
        i += 8;
    }
    return i;
}

bool IsPrintableOrBlank(unsigned byte) {
    return byte - 0x20U < 0x5FU || byte - 9U < 2U || byte == '\r';
}

#ifdef VK_HAVE_AVX2_TARGET
// IsPrintableAsciiText for the 128-byte rounds that begin the bytes, with AVX2: false as soon as a
// round holds another byte; i is then where the rounds end.
VK_TARGET_AVX2 bool PrintableAsciiRoundsAvx2(const std::uint8_t* bytes, std::size_t count, std::size_t& i) {
    const __m256i one = _mm256_set1_epi8(1);
    const __m256i space = _mm256_set1_epi8(0x20);
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    const __m256i carriageReturn = _mm256_set1_epi8('\r');
    for (; count - i >= 128; i += 128) {
        __m256i all = _mm256_set1_epi8(-1);
        for (std::size_t k = 0; k < 128; k += 32) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + k));
            const __m256i printable = _mm256_cmpgt_epi8(_mm256_add_epi8(v, one), space);
            const __m256i lineEnd =
                _mm256_or_si256(_mm256_cmpeq_epi8(v, lineFeed), _mm256_cmpeq_epi8(v, carriageReturn));
            all = _mm256_and_si256(all, _mm256_or_si256(printable, lineEnd));
        }
        if (static_cast<std::uint32_t>(_mm256_movemask_epi8(all)) != 0xFFFFFFFFU &&
            !std::all_of(bytes + i, bytes + i + 128, [](std::uint8_t byte) { return IsPrintableOrBlank(byte); })) {
            return false;
        }
    }
    return true;
}
#endif

} // namespace

bool IsPrintableAsciiText(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
#ifdef VK_HAVE_AVX2_TARGET
    if (CpuHasAvx2() && !PrintableAsciiRoundsAvx2(bytes, count, i)) {
        return false;
    }
#endif
#ifdef VK_TEXT_SSE2
    // Plus one, as signed bytes, printable ASCII lies above 0x20 (0x7F, delete, and bytes of 0x80
    // and more become negative or small). Line ends are the only controls in most text: four
    // registers a round are tested for those without a branch, as lines end at no foreseeable
    // place, and a round that holds another byte (a tab, say) is looked at byte by byte.
    const __m128i one = _mm_set1_epi8(1);
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    for (; count - i >= 64; i += 64) {
        __m128i all = _mm_set1_epi8(-1);
        for (std::size_t k = 0; k < 64; k += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + k));
            const __m128i printable = _mm_cmpgt_epi8(_mm_add_epi8(v, one), space);
            const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(v, lineFeed), _mm_cmpeq_epi8(v, carriageReturn));
            all = _mm_and_si128(all, _mm_or_si128(printable, lineEnd));
        }
        if (_mm_movemask_epi8(all) != 0xFFFF &&
            !std::all_of(bytes + i, bytes + i + 64, [](std::uint8_t byte) { return IsPrintableOrBlank(byte); })) {
            return false;
        }
    }
#endif
    for (; i < count; ++i) {
        if (!IsPrintableOrBlank(bytes[i])) {
            return false;
        }
    }
    return true;
}

bool IsUtf8Text(const std::uint8_t* bytes, std::size_t count, bool cutOff) {
    if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return true;
    }
    bool multiByte = false;
    std::size_t i = 0;
    while (i < count) {
        i += PlainAsciiRun(bytes + i, count - i);
        if (i == count) {
            break;
        }
        if (bytes[i] < 0x80) {
            if (bytes[i] == 0) {
                return false;
            }
            ++i;
            continue;
        }
        char32_t code = 0;
        const int length = Sequence(bytes + i, count - i, code);
        if (length < 0 || (length == 0 && !cutOff)) {
            return false;
        }
        multiByte = true;
        if (length == 0) {
            break;
        }
        i += static_cast<std::size_t>(length);
    }
    return multiByte;
}

DecodedText DecodeUtf8(const std::uint8_t* bytes, std::size_t count, wchar_t* out) {
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < count) {
        if (count - i >= 8 && EightPlainAsciiBytes(bytes + i)) {
            for (std::size_t k = 0; k < 8; ++k) {
                out[o + k] = static_cast<wchar_t>(bytes[i + k]);
            }
            i += 8;
            o += 8;
            continue;
        }
        if (bytes[i] < 0x80) {
            out[o++] = static_cast<wchar_t>(bytes[i++]);
            continue;
        }
        char32_t code = 0;
        const int length = Sequence(bytes + i, count - i, code);
        if (length == 0) {
            break; // cut off: it comes again with the bytes that follow
        }
        if (length < 0) {
            out[o++] = static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        o += PutWide(out + o, code);
        i += static_cast<std::size_t>(length);
    }
    return {o, i};
}

DecodedText DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count, wchar_t* out) {
    const std::size_t units = count / 2;
    if constexpr (sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
        if (units != 0) {
            std::memcpy(out, bytes, units * 2);
        }
    } else {
        for (std::size_t i = 0; i < units; ++i) {
            out[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
    }
    return {units, units * 2};
}

} // namespace vk
