#pragma once
// One piece of a pattern (PatternPieces.h) made ready to be found in the text of an alphabet
// (TextAlphabets.h): At tests one place, Find looks for the leftmost place at or after a position.
//
// A place is tested by the piece's literals and classes only ('?' takes any character of the
// text), so a long run of question marks costs nothing. Find first passes over the text with the
// two rarest literal characters of the piece (at their distances from its start), many places at
// once, and tests the whole piece only where both may be. So the common pieces (a word, a word
// with '?' or classes) are found in about the time it takes to read the text, and no piece costs
// more than the text's length times the piece's.

#include "engine/CharLanes.h"
#include "engine/PatternPieces.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vk {

template <typename Alphabet> class PieceFinder {
public:
    using Char = typename Alphabet::Char;
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    PieceFinder(const PatternPiece& piece, const Alphabet& alphabet) : length_(piece.size()) {
        for (std::size_t offset = 0; offset < piece.size(); ++offset) {
            const PatternElement& element = piece[offset];
            if (element.kind == ElementKind::kAny) {
                continue;
            }
            Check check{offset, element.kind, 0};
            if (element.kind == ElementKind::kLiteral) {
                const auto c = alphabet.LiteralChar(element.literal);
                if (!c) {
                    impossible_ = true; // no character of the text equals it
                    return;
                }
                check.c = *c;
            }
            checks_.push_back(check);
        }
        ChooseAnchors(alphabet);
    }

    [[nodiscard]] std::size_t Length() const { return length_; }
    // True when no text holds the piece.
    [[nodiscard]] bool Impossible() const { return impossible_; }

    // Does the piece stand at text[k]? The text holds at least k + Length() characters.
    [[nodiscard]] bool At(const Alphabet& alphabet, const Char* text, std::size_t k) const {
        for (const Check& check : checks_) {
            const Char c = text[k + check.offset];
            const bool ok =
                check.kind == ElementKind::kLiteral ? alphabet.Equal(c, check.c) : alphabet.InClass(c, check.kind);
            if (!ok) {
                return false;
            }
        }
        return true;
    }

    // The leftmost place at or after from where the piece stands wholly within text[0, n), or kNone.
    [[nodiscard]] std::size_t Find(const Alphabet& alphabet, const Char* text, std::size_t from, std::size_t n) const {
        if (impossible_ || n < length_ || from > n - length_) {
            return kNone;
        }
        const std::size_t last = n - length_; // the last place that leaves room for the piece
        if (!hasAnchors_) {
            for (std::size_t k = from; k <= last; ++k) {
                if (At(alphabet, text, k)) {
                    return k;
                }
            }
            return kNone;
        }
        // The scan for each kind of the two probes, so that the loop tests nothing but the text.
        if (first_.onlyMasked) {
            return second_.onlyMasked ? ScanFastest<true, true>(alphabet, text, from, last)
                                      : ScanFastest<true, false>(alphabet, text, from, last);
        }
        return second_.onlyMasked ? ScanFastest<false, true>(alphabet, text, from, last)
                                  : ScanFastest<false, false>(alphabet, text, from, last);
    }

private:
    template <bool kFirstMasked, bool kSecondMasked>
    std::size_t ScanFastest(const Alphabet& alphabet, const Char* text, std::size_t k, std::size_t last) const {
#ifdef VK_HAVE_AVX2_TARGET
        if constexpr (sizeof(Char) == 1) {
            if (CpuHasAvx2()) {
                return ScanBytesAvx2<kFirstMasked, kSecondMasked>(alphabet, text, k, last);
            }
        }
#endif
        return Scan<kFirstMasked, kSecondMasked>(alphabet, text, k, last);
    }

#ifdef VK_HAVE_AVX2_TARGET
    // 8-bit text 64 places a round; the rest as Scan does it.
    template <bool kFirstMasked, bool kSecondMasked>
    VK_TARGET_AVX2 std::size_t ScanBytesAvx2(const Alphabet& alphabet, const Char* text, std::size_t k,
                                             std::size_t last) const {
        while (last >= k && last - k >= 63) {
            const Char* at = text + k;
            const std::uint64_t low = lanes::ByteHits32<kFirstMasked>(at + firstOffset_, first_) &
                                      lanes::ByteHits32<kSecondMasked>(at + secondOffset_, second_);
            const std::uint64_t high = lanes::ByteHits32<kFirstMasked>(at + 32 + firstOffset_, first_) &
                                       lanes::ByteHits32<kSecondMasked>(at + 32 + secondOffset_, second_);
            for (std::uint64_t bits = low | (high << 32); bits != 0; bits &= bits - 1) {
                const std::size_t place = k + static_cast<std::size_t>(std::countr_zero(bits));
                if (At(alphabet, text, place)) {
                    return place;
                }
            }
            k += 64;
        }
        return Scan<kFirstMasked, kSecondMasked>(alphabet, text, k, last);
    }
#endif

    template <bool kFirstMasked, bool kSecondMasked>
    std::size_t Scan(const Alphabet& alphabet, const Char* text, std::size_t k, std::size_t last) const {
#ifdef VK_HAVE_SSE2
        // Two registers of places a round: their hits in one mask.
        using Ops = lanes::Sse2<sizeof(Char)>;
        constexpr std::size_t kLanes = 16 / sizeof(Char);
        constexpr std::size_t kRound = 2 * kLanes;
        const lanes::WideProbe<Char> first(first_);
        const lanes::WideProbe<Char> second(second_);
        const auto hits = [&](const Char* at) {
            return _mm_and_si128(first.template Test<kFirstMasked>(at + firstOffset_),
                                 second.template Test<kSecondMasked>(at + secondOffset_));
        };
        while (last >= k && last - k >= kRound - 1) {
            const Char* at = text + k;
            const std::uint32_t low = Ops::Bits(hits(at));
            const std::uint32_t high = Ops::Bits(hits(at + kLanes));
            for (std::uint32_t bits = low | (high << kLanes); bits != 0; bits &= bits - 1) {
                const std::size_t place = k + static_cast<std::size_t>(std::countr_zero(bits));
                if (At(alphabet, text, place)) {
                    return place;
                }
            }
            k += kRound;
        }
#endif
        for (; k <= last; ++k) {
            if (first_.Hit(text[k + firstOffset_]) && second_.Hit(text[k + secondOffset_]) && At(alphabet, text, k)) {
                return k;
            }
        }
        return kNone;
    }

    struct Check {
        std::size_t offset = 0;
        ElementKind kind = ElementKind::kLiteral;
        Char c = 0; // a literal's form in the alphabet
    };

    // The scan looks for the rarest literal and the next rarest at another distance (the same one
    // twice when the piece has a single literal).
    void ChooseAnchors(const Alphabet& alphabet) {
        const Check* rarest = nullptr;
        const Check* next = nullptr;
        for (const Check& check : checks_) {
            if (check.kind != ElementKind::kLiteral) {
                continue;
            }
            const unsigned rank = alphabet.Rank(check.c);
            if (rarest == nullptr || rank < alphabet.Rank(rarest->c)) {
                next = rarest;
                rarest = &check;
            } else if (next == nullptr || rank < alphabet.Rank(next->c)) {
                next = &check;
            }
        }
        if (rarest == nullptr) {
            return;
        }
        if (next == nullptr) {
            next = rarest;
        }
        hasAnchors_ = true;
        firstOffset_ = rarest->offset;
        secondOffset_ = next->offset;
        first_ = ProbeOf(alphabet, rarest->c);
        second_ = ProbeOf(alphabet, next->c);
    }

    static CharProbe<Char> ProbeOf(const Alphabet& alphabet, Char literal) {
        const auto forms = alphabet.Forms(literal);
        return MakeCharProbe<Char>(forms[0], forms[1], forms[2]);
    }

    std::size_t length_ = 0;
    bool impossible_ = false;
    std::vector<Check> checks_; // the literals and classes, in piece order
    bool hasAnchors_ = false;
    std::size_t firstOffset_ = 0;
    std::size_t secondOffset_ = 0;
    CharProbe<Char> first_;
    CharProbe<Char> second_;
};

} // namespace vk
