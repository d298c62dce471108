// Our own Unicode test and code page, used where the system has none.
#include "platform/TextDecoding.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vk {
namespace {

bool LooksUnicode(std::string_view bytes) {
    return IsTextUnicode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The Unicode test written plainly, one unit at a time over the whole text: what the counting in
// blocks with its early answers must agree with.
bool PlainIsTextUnicode(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t count = text.size();
    if (count < 2) {
        return false;
    }
    if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return true;
    }
    if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return false;
    }
    const auto control = [](unsigned c) { return c < 0x20 && c != 9 && c != 10 && c != 12 && c != 13 && c != 0x1A; };
    const auto printable = [](unsigned c) { return (c >= 0x20 && c < 0x7F) || c == 9 || c == 10 || c == 13; };
    const std::size_t units = count / 2;
    std::size_t latin = 0;
    std::size_t bad = 0;
    std::size_t pairs = 0;
    long lowVariation = 0;
    long highVariation = 0;
    int previousLow = -1;
    int previousHigh = 0;
    bool expectLowSurrogate = false;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned low = bytes[2 * i];
        const unsigned high = bytes[2 * i + 1];
        const unsigned unit = low | (high << 8);
        bad += expectLowSurrogate != (unit >= 0xDC00 && unit <= 0xDFFF) ? 1 : 0;
        expectLowSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (high == 0) {
            ++latin;
            bad += control(low) ? 1 : 0;
            continue;
        }
        if (unit >= 0xFFFE) {
            return false;
        }
        if (low == 0 || (unit >= 0xE000 && unit <= 0xF8FF)) {
            ++bad;
        } else if (printable(low) && printable(high)) {
            ++pairs;
        }
        if (previousLow >= 0) {
            lowVariation += std::labs(static_cast<long>(low) - previousLow);
            highVariation += std::labs(static_cast<long>(high) - previousHigh);
        }
        previousLow = static_cast<int>(low);
        previousHigh = static_cast<int>(high);
    }
    if (bad * 8 >= units) {
        return false;
    }
    if (latin * 2 >= units) {
        return true;
    }
    if (pairs * 2 >= units) {
        return false;
    }
    bool utf8 = true; // well-formed, no controls but blanks, a cut-off sequence at the end allowed
    for (std::size_t i = 0; i < count && utf8;) {
        const unsigned lead = bytes[i];
        const std::size_t length = lead >= 0xF5   ? 0
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC2 ? 2
                                   : lead >= 0x80 ? 0
                                                  : 1;
        utf8 = length != 0 && lead != 0 && !control(lead);
        for (std::size_t k = 1; k < length && i + k < count && utf8; ++k) {
            utf8 = (bytes[i + k] & 0xC0) == 0x80;
        }
        i += length;
    }
    return !utf8 && highVariation * 2 < lowVariation;
}

// Texts made of runs of one kind each: ASCII, Latin UTF-16, UTF-16 of another script, surrogates,
// controls, 8-bit letters, UTF-8, noise, non-characters. Run lengths reach past the blocks in which
// the units are counted, and the mix moves the answer back and forth.
std::string MixedText(std::mt19937& random) {
    std::string text;
    const int runs = static_cast<int>(random() % 6) + 1;
    const std::size_t scale = random() % 3 == 0 ? 20000 : 200;
    for (int r = 0; r < runs; ++r) {
        const std::size_t length = random() % scale;
        const unsigned kind = random() % 10;
        for (std::size_t i = 0; i < length; ++i) {
            const unsigned x = random();
            switch (kind) {
            case 0: // ASCII words
                text += static_cast<char>(x % 7 == 0 ? ' ' : 'a' + x % 26);
                break;
            case 1: // Latin UTF-16LE
                text += static_cast<char>(0x20 + x % 0x60);
                text += '\0';
                break;
            case 2: // Cyrillic UTF-16LE
                text += static_cast<char>(x);
                text += static_cast<char>(0x04);
                break;
            case 3: // a surrogate, paired or lone
                text += static_cast<char>(x);
                text += static_cast<char>((x >> 8) % 2 == 0 ? 0xD8 + x % 4 : 0xDC + x % 4);
                break;
            case 4: // controls and NULs
                text += static_cast<char>(x % 0x20);
                break;
            case 5: // 8-bit letters
                text += static_cast<char>(0xC0 + x % 0x40);
                break;
            case 6: // UTF-8
                text += "\xD0\xB6";
                break;
            case 7: // noise
                text += static_cast<char>(x >> 8);
                break;
            case 8: // a non-character, now and then
                text += x % 50 == 0 ? std::string("\xFF\xFF") : std::string("\x41\x00");
                break;
            default: // CJK UTF-16LE
                text += static_cast<char>(x);
                text += static_cast<char>(0x4E + x % 0x50);
                break;
            }
        }
    }
    return text;
}

const std::u16string_view kRussian = u"\u0421\u044A\u0435\u0448\u044C \u0436\u0435 \u0435\u0449\u0451 "
                                     u"\u044D\u0442\u0438\u0445 \u043C\u044F\u0433\u043A\u0438\u0445 "
                                     u"\u0444\u0440\u0430\u043D\u0446\u0443\u0437\u0441\u043A\u0438\u0445 "
                                     u"\u0431\u0443\u043B\u043E\u043A.\r\n";
// Chinese and Japanese with little Latin in between.
const std::u16string_view kChinese = u"\u6211\u80FD\u541E\u4E0B\u73BB\u7483\u800C\u4E0D\u4F24\u8EAB\u4F53\u3002"
                                     u"\u5929\u5730\u7384\u9EC4\uFF0C\u5B87\u5B99\u6D2A\u8352\u3002"
                                     u"\u3044\u308D\u306F\u306B\u307B\u3078\u3068\u3061\u308A\u306C\u308B\u3092\r\n";

TEST(TextDecodingPosix, OtherScriptsInUtf16LeAreUnicode) {
    EXPECT_TRUE(LooksUnicode(test::Utf16LeBytes(kRussian, false)));
    EXPECT_TRUE(LooksUnicode(test::Utf16LeBytes(kChinese, false)));
    EXPECT_TRUE(
        LooksUnicode(test::Utf16LeBytes(u"\uB2E4\uB78C\uC950 \uD5CC \uCCC7\uBC14\uD034\uC5D0 \uD0C0\uACE0", false)));
    EXPECT_TRUE(LooksUnicode(test::Utf16LeBytes(u"Datei report-2024.txt \u5DF2\u7ECF\u4FDD\u5B58 \U0001F600", false)));
}

TEST(TextDecodingPosix, EightBitTextOfOtherScriptsIsNot) {
    // Short ASCII that a purely statistical test famously takes for UTF-16.
    EXPECT_FALSE(LooksUnicode("Bush hid the facts"));
    // Windows-1251 Cyrillic and Windows-1255 Hebrew: letters at 0xC0 and above on both offsets.
    EXPECT_FALSE(LooksUnicode("\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5 \xEC\xFF\xE3\xEA\xE8\xF5"));
    EXPECT_FALSE(LooksUnicode("\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED"));
}

TEST(TextDecodingPosix, TheSameScriptsInUtf8AreNot) {
    EXPECT_FALSE(LooksUnicode("\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 "
                              "\xD1\x8D\xD1\x82\xD0\xB8\xD1\x85 \xD0\xBC\xD1\x8F\xD0\xB3\xD0\xBA\xD0\xB8\xD1\x85\r\n"));
    EXPECT_FALSE(LooksUnicode("\xE6\x88\x91\xE8\x83\xBD\xE5\x90\x9E\xE4\xB8\x8B\xE7\x8E\xBB\xE7\x92\x83\xE8\x80\x8C"
                              "\xE4\xB8\x8D\xE4\xBC\xA4\xE8\xBA\xAB\xE4\xBD\x93\xE3\x80\x82\r\n"));
}

TEST(TextDecodingPosix, ByteOrderMarksDecide) {
    EXPECT_TRUE(LooksUnicode("\xFF\xFE"));
    EXPECT_TRUE(LooksUnicode("\xFF\xFEThis rest would not look like UTF-16 at all"));
    EXPECT_FALSE(LooksUnicode("\xFE\xFF\x41\x00\x42\x00\x43\x00\x44\x00"));
}

TEST(TextDecodingPosix, BinaryAndSpacedOutTextAreNotUnicode) {
    EXPECT_FALSE(LooksUnicode(""));
    EXPECT_FALSE(LooksUnicode("A"));
    // Little-endian 32-bit numbers: zero high bytes, but NUL and control units.
    std::string numbers;
    for (std::uint32_t n = 1; n < 200; ++n) {
        numbers.append(reinterpret_cast<const char*>(&n), sizeof n);
    }
    EXPECT_FALSE(LooksUnicode(numbers));
    // 8-bit text whose every second byte is a space: steady "high" bytes, but no script.
    EXPECT_FALSE(LooksUnicode("a b c d e f g h i j k l m n o p q r s t u v w x y z "));
    // Mostly UTF-16LE text, but the non-character FFFF.
    EXPECT_FALSE(LooksUnicode(test::Utf16LeBytes(u"plain text \uFFFF more text", false)));
    std::string noise;
    std::uint32_t state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245 + 12345;
        noise += static_cast<char>(state >> 24);
    }
    EXPECT_FALSE(LooksUnicode(noise));
}

TEST(TextDecodingPosix, CountingInBlocksGivesTheAnswerOfTheWholeText) {
    std::mt19937 random(20240611);
    int unicode = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text = MixedText(random);
        if (i % 5 == 0 && text.size() >= 2) {
            text.resize(text.size() - 1); // an odd byte at the end
        }
        const bool expected = PlainIsTextUnicode(text);
        unicode += expected ? 1 : 0;
        ASSERT_EQ(LooksUnicode(text), expected) << "text " << i << " of " << text.size() << " bytes";
    }
    // Both answers came up often enough for the comparison to mean something.
    EXPECT_GT(unicode, 300);
    EXPECT_LT(unicode, 2700);
}

TEST(TextDecodingPosix, AsciiInTheFirstHalfDoesNotDecideEarly) {
    // Exactly half ASCII pairs, then exactly half Latin UTF-16: the Latin half wins.
    for (const std::size_t units : {std::size_t{10}, std::size_t{8192}, std::size_t{150000}}) {
        std::string text(units, 'a');
        for (std::size_t i = 0; i < units / 2; ++i) {
            text += "b";
            text += '\0';
        }
        EXPECT_TRUE(LooksUnicode(text)) << units;
        EXPECT_TRUE(PlainIsTextUnicode(text)) << units;
        // One more ASCII pair tips it.
        text.replace(units, 2, "cc");
        EXPECT_FALSE(LooksUnicode(text)) << units;
        // Latin UTF-16 that ends in a non-character is never Unicode.
        std::string latin = test::Utf16LeBytes(std::u16string(units, u'x'), false);
        EXPECT_TRUE(LooksUnicode(latin)) << units;
        latin += "\xFE\xFF";
        EXPECT_FALSE(LooksUnicode(latin)) << units;
    }
}

TEST(TextDecodingPosix, Windows1252Table) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    std::wstring text(all.size(), L'#');
    text.resize(DecodeAnsi(reinterpret_cast<const std::uint8_t*>(all.data()), all.size(), text.data()).characters);
    ASSERT_EQ(text.size(), 255U);
    const auto at = [&text](int byte) { return static_cast<unsigned>(text[static_cast<std::size_t>(byte - 1)]); };
    EXPECT_EQ(at(0x80), 0x20ACU);
    EXPECT_EQ(at(0x81), 0x81U); // unassigned bytes keep their value
    EXPECT_EQ(at(0x82), 0x201AU);
    EXPECT_EQ(at(0x8A), 0x0160U);
    EXPECT_EQ(at(0x8D), 0x8DU);
    EXPECT_EQ(at(0x93), 0x201CU);
    EXPECT_EQ(at(0x99), 0x2122U);
    EXPECT_EQ(at(0x9F), 0x0178U);
    for (int byte = 1; byte < 256; ++byte) {
        if (byte < 0x80 || byte > 0x9F) {
            EXPECT_EQ(at(byte), static_cast<unsigned>(byte));
        }
    }
    std::array<wchar_t, 256> table = {};
    ASSERT_TRUE(AnsiByteTable(table));
    EXPECT_EQ(table[0], L'\0');
    for (int byte = 1; byte < 256; ++byte) {
        EXPECT_EQ(static_cast<unsigned>(table[static_cast<std::size_t>(byte)]), at(byte));
    }
}

} // namespace
} // namespace vk
