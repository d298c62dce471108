#include "platform/TextDecoding.h"

#include <cstdlib>

namespace vk {
namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their C1 values, as Windows does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsTextControl(unsigned unit) {
    return unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\r' && unit != '\f' && unit != 0x1A;
}

bool IsPrintableAscii(unsigned byte) {
    return (byte >= 0x20 && byte < 0x7F) || byte == '\t' || byte == '\r' || byte == '\n';
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

} // namespace

// A statistical test in the spirit of the Windows one. UTF-16LE text has its zero bytes (the
// high halves of Latin characters) at odd offsets; 8-bit text has none, and UTF-16BE has them
// at even offsets. Text in other scripts keeps its high bytes within a block, so they vary far
// less than the low bytes, while 8-bit text looks alike at odd and even offsets. Controls, NUL
// units, byte-swapped Latin, private-use characters (where 8-bit Cyrillic, Greek or Hebrew
// letters land), lone surrogates and the non-characters FFFE/FFFF say the bytes are not
// UTF-16LE; so does being well-formed UTF-8 (plain ASCII included) or mostly pairs of ASCII
// characters.
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
    std::size_t latinUnits = 0; // zero high byte
    std::size_t badUnits = 0;   // controls, NULs, byte-swapped Latin, private use, lone surrogates
    std::size_t asciiPairs = 0; // two printable ASCII bytes
    std::size_t lowVariation = 0;
    std::size_t highVariation = 0;
    unsigned previousLow = 0;
    unsigned previousHigh = 0;
    bool haveScriptUnit = false;
    bool expectLowSurrogate = false;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned low = bytes[2 * i];
        const unsigned high = bytes[2 * i + 1];
        const unsigned unit = low | (high << 8);
        const bool lowSurrogate = unit >= 0xDC00 && unit <= 0xDFFF;
        if (expectLowSurrogate != lowSurrogate) {
            ++badUnits;
        }
        expectLowSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (high == 0) {
            ++latinUnits;
            badUnits += (low == 0 || IsTextControl(low)) ? 1 : 0;
            continue;
        }
        if (unit >= 0xFFFE) {
            return false;
        }
        if (low == 0 || (unit >= 0xE000 && unit <= 0xF8FF)) {
            ++badUnits;
        } else if (IsPrintableAscii(low) && IsPrintableAscii(high)) {
            ++asciiPairs;
        }
        // How much the two halves vary from one character of the script to the next; the
        // Latin characters in between (blanks, digits) would only add noise.
        if (haveScriptUnit) {
            lowVariation += static_cast<std::size_t>(std::abs(static_cast<int>(low) - static_cast<int>(previousLow)));
            highVariation +=
                static_cast<std::size_t>(std::abs(static_cast<int>(high) - static_cast<int>(previousHigh)));
        }
        haveScriptUnit = true;
        previousLow = low;
        previousHigh = high;
    }
    if (badUnits * 8 >= units) {
        return false;
    }
    if (latinUnits * 2 >= units) {
        return true;
    }
    // Mostly characters beyond Latin-1, or 8-bit text.
    if (asciiPairs * 2 >= units || IsUtf8(bytes, count)) {
        return false;
    }
    return highVariation * 2 < lowVariation;
}

void DecodeAnsi(const std::uint8_t* bytes, std::size_t count, std::wstring& out) {
    out.resize(count);
    wchar_t* text = out.data();
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned byte = bytes[i];
        text[i] = static_cast<wchar_t>((byte & 0xE0) == 0x80 ? kWindows1252High[byte - 0x80] : byte);
    }
}

} // namespace vk
