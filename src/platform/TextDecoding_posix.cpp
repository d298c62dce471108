#include "platform/TextDecoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace vk {
namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their C1 values, as Windows does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t FromWindows1252(unsigned byte) {
    return static_cast<wchar_t>((byte & 0xE0) == 0x80 ? kWindows1252High[byte - 0x80] : byte);
}

bool IsTextControl(unsigned unit) {
    return unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\r' && unit != '\f' && unit != 0x1A;
}

// True when the bytes are well-formed UTF-8 text: no controls but blanks, and a sequence cut
// off at the end counts as complete.
bool IsUtf8(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
        const unsigned lead = bytes[i];
        std::size_t length = 1;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        } else if (lead >= 0x80 || IsTextControl(lead) || lead == 0) {
            return false;
        }
        for (std::size_t k = 1; k < length && i + k < count; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// How many units of each kind a stretch of UTF-16LE candidate text holds.
struct UnitCounts {
    std::size_t latin = 0;      // zero high byte
    std::size_t bad = 0;        // controls, NULs, private use, lone surrogates
    std::size_t asciiPairs = 0; // two printable ASCII bytes
    bool nonCharacter = false;  // FFFE or FFFF
};

// Units are counted this many at a time: few enough for 16-bit counters (a unit adds at most 2 to
// the bad count), and always the same number, so that the compiler tests many units at once.
constexpr std::size_t kUnitBlock = 4096;

// A block of units after the unit that comes before them (0 at the start of the text: no high
// surrogate).
using UnitBlock = std::array<std::uint16_t, kUnitBlock + 1>;

// Loads the next count units (count <= kUnitBlock) into block[1..], after the last unit of the
// previous block. A short last block is padded with units that count as nothing: no Latin unit,
// no ASCII pair, nothing bad. The first pad is a low surrogate when the text ends in a high one,
// whose partner lies beyond the text.
void LoadUnits(const std::uint8_t* bytes, std::size_t count, UnitBlock& block) {
    block[0] = block[kUnitBlock];
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&block[1], bytes, count * 2);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            block[i + 1] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
    }
    if (count < kUnitBlock) {
        const bool highSurrogateLast = (block[count] & 0xFC00) == 0xD800;
        std::fill(block.begin() + static_cast<std::ptrdiff_t>(count) + 1, block.end(), std::uint16_t{0x8080});
        block[count + 1] = highSurrogateLast ? 0xDC80 : 0x8080;
    }
}

std::uint16_t Flag(bool condition) {
    return static_cast<std::uint16_t>(condition);
}

// Counts the units of a block. Every test gives a 16-bit 0 or 1 and they are combined with & and |,
// without branches, so that the compiler can test eight or more units at once.
void CountUnits(const UnitBlock& units, UnitCounts& counts) {
    using Unit = std::uint16_t;
    Unit latin = 0;
    Unit bad = 0;
    Unit pairs = 0;
    Unit nonCharacter = 0;
    for (std::size_t i = 1; i <= kUnitBlock; ++i) {
        const Unit unit = units[i];
        const Unit low = unit & 0xFF;
        const Unit high = unit >> 8;
        const Unit expectLowSurrogate = Flag(static_cast<Unit>(units[i - 1] - 0xD800U) < 0x400U);
        const Unit lowSurrogate = Flag(static_cast<Unit>(unit - 0xDC00U) < 0x400U);
        const Unit latinUnit = Flag(high == 0);
        // Below 0x20 but not tab, line feed (9, 10), form feed, carriage return (12, 13) or 1A.
        const Unit control =
            Flag(low < 0x20) & Flag(static_cast<Unit>(low - 9U) >= 2U) & Flag((low | 1U) != 13U) & Flag(low != 0x1A);
        const Unit privateUse = Flag(static_cast<Unit>(unit - 0xE000U) <= 0xF8FFU - 0xE000U);
        const Unit printableLow =
            Flag(static_cast<Unit>(low - 0x20U) < 0x5FU) | Flag(static_cast<Unit>(low - 9U) < 2U) | Flag(low == '\r');
        const Unit printableHigh = Flag(static_cast<Unit>(high - 0x20U) < 0x5FU) |
                                   Flag(static_cast<Unit>(high - 9U) < 2U) | Flag(high == '\r');
        latin = static_cast<Unit>(latin + latinUnit);
        // A NUL low byte is a control in a Latin unit and bad in any other; private use never has
        // a zero high byte, nor a printable one.
        bad = static_cast<Unit>(bad + (expectLowSurrogate ^ lowSurrogate) +
                                (Flag(low == 0) | (latinUnit & control) | privateUse));
        pairs = static_cast<Unit>(pairs + (printableLow & printableHigh));
        nonCharacter = static_cast<Unit>(nonCharacter | Flag(unit >= 0xFFFE));
    }
    counts.latin += latin;
    counts.bad += bad;
    counts.asciiPairs += pairs;
    counts.nonCharacter = counts.nonCharacter || nonCharacter != 0;
}

// Whether the high bytes of the units beyond Latin-1 vary less than their low bytes, as in text of
// one script.
bool HighBytesVaryLess(const std::uint8_t* bytes, std::size_t units) {
    std::size_t lowVariation = 0;
    std::size_t highVariation = 0;
    unsigned previousLow = 0;
    unsigned previousHigh = 0;
    bool haveScriptUnit = false;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned low = bytes[2 * i];
        const unsigned high = bytes[2 * i + 1];
        // The Latin characters in between (blanks, digits) would only add noise.
        if (high == 0) {
            continue;
        }
        if (haveScriptUnit) {
            lowVariation += static_cast<std::size_t>(std::abs(static_cast<int>(low) - static_cast<int>(previousLow)));
            highVariation +=
                static_cast<std::size_t>(std::abs(static_cast<int>(high) - static_cast<int>(previousHigh)));
        }
        haveScriptUnit = true;
        previousLow = low;
        previousHigh = high;
    }
    return highVariation * 2 < lowVariation;
}

} // namespace

// A statistical test in the spirit of the Windows one. UTF-16LE text has its zero bytes (the
// high halves of Latin characters) at odd offsets; 8-bit text has none, and UTF-16BE has them
// at even offsets. Text in other scripts keeps its high bytes within a block, so they vary far
// less than the low bytes, while 8-bit text looks alike at odd and even offsets. Controls, NUL
// units, byte-swapped Latin, private-use characters (where 8-bit Cyrillic, Greek or Hebrew
// letters land), lone surrogates and the non-characters FFFE/FFFF say the bytes are not
// UTF-16LE; so does being well-formed UTF-8 (plain ASCII included) or mostly pairs of ASCII
// characters.
//
// The answer is that of the whole text, but the count stops as soon as the rest of the text can no
// longer change it: 8-bit text is known to be no UTF-16 once more than half of all units are
// ASCII pairs, which is about half-way through.
bool IsTextUnicode(const std::uint8_t* bytes, std::size_t count) {
    if (count < 2) {
        return false;
    }
    if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return true;
    }
    if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return false;
    }
    const std::size_t units = count / 2;
    UnitCounts counts;
    UnitBlock block = {};
    for (std::size_t done = 0; done < units;) {
        const std::size_t n = std::min(units - done, kUnitBlock);
        LoadUnits(bytes + 2 * done, n, block);
        CountUnits(block, counts);
        done += n;
        const std::size_t rest = units - done;
        if (counts.nonCharacter || counts.bad * 8 >= units) {
            return false;
        }
        // Half of the units or more are ASCII pairs, which says no, unless the Latin units can
        // still reach half as well (no unit is both).
        if (counts.asciiPairs * 2 >= units && (counts.latin + rest) * 2 < units) {
            return false;
        }
    }
    if (counts.latin * 2 >= units) {
        return true;
    }
    // Mostly characters beyond Latin-1, or 8-bit text.
    if (counts.asciiPairs * 2 >= units || IsUtf8(bytes, count)) {
        return false;
    }
    return HighBytesVaryLess(bytes, units);
}

TextEncoding DetectTextEncoding(const std::uint8_t* bytes, std::size_t count, bool cutOff) {
    // Printable ASCII (most text files) is no UTF-8 beyond ASCII, and to the Unicode test above
    // all ASCII pairs and no Latin unit: one pass over it is enough.
    if (IsPrintableAsciiText(bytes, count)) {
        return TextEncoding::kCodePage;
    }
    if (IsUtf8Text(bytes, count, cutOff)) {
        return TextEncoding::kUtf8;
    }
    return IsTextUnicode(bytes, count) ? TextEncoding::kUtf16Le : TextEncoding::kCodePage;
}

bool AnsiByteTable(std::array<wchar_t, 256>& table) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = FromWindows1252(byte);
    }
    return true;
}

DecodedText DecodeAnsi(const std::uint8_t* bytes, std::size_t count, wchar_t* out) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = FromWindows1252(bytes[i]);
    }
    return {count, count};
}

} // namespace vk
