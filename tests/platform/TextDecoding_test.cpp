#include "platform/TextDecoding.h"

#include "platform/CpuFeatures.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vk {
namespace {

const std::u16string_view kEnglish = u"The quick brown fox jumps over the lazy dog.\r\n"
                                     u"Pack my box with five dozen liquor jugs.\r\n";

bool LooksUnicode(std::string_view bytes) {
    return IsTextUnicode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string Utf16BeBytes(std::u16string_view text, bool withBom) {
    std::string bytes = withBom ? "\xFE\xFF" : "";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

TEST(TextDecoding, Utf16LeIsUnicodeWithOrWithoutByteOrderMark) {
    EXPECT_TRUE(LooksUnicode(test::Utf16LeBytes(kEnglish, true)));
    EXPECT_TRUE(LooksUnicode(test::Utf16LeBytes(kEnglish, false)));
}

TEST(TextDecoding, EightBitTextAndBigEndianAreNotUnicode) {
    EXPECT_FALSE(LooksUnicode("The quick brown fox jumps over the lazy dog.\r\nPack my box with five dozen jugs.\r\n"));
    EXPECT_FALSE(LooksUnicode("Gr\xFC\xDF"
                              "e aus K\xF6ln, \x80 5, \x84Zitat\x93 und Fa\xE7"
                              "ade.\r\n"));
    EXPECT_FALSE(LooksUnicode("Gr\xC3\xBC\xC3\x9F"
                              "e aus K\xC3\xB6ln, \xE2\x82\xAC 5 und Fa\xC3\xA7"
                              "ade.\r\n"));
    EXPECT_FALSE(LooksUnicode(Utf16BeBytes(kEnglish, true)));
    EXPECT_FALSE(LooksUnicode(Utf16BeBytes(kEnglish, false)));
}

// Decodes the bytes with the decoder; the bytes it leaves (a cut-off character) follow the text
// after a '|'.
template <typename Decoder> std::wstring Decoded(Decoder decode, std::string_view bytes) {
    std::wstring text(bytes.size(), L'#');
    const DecodedText decoded = decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text.data());
    text.resize(decoded.characters);
    if (decoded.bytesUsed < bytes.size()) {
        text += L'|';
        for (const char byte : bytes.substr(decoded.bytesUsed)) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
        }
    }
    return text;
}

TEST(TextDecoding, Utf16LeKeepsTheByteOrderMarkAndLeavesAnOddByte) {
    EXPECT_EQ(Decoded(DecodeUtf16Le, test::Utf16LeBytes(u"A\u20AC\u00E9", true) + "Z"),
              std::wstring(L"\uFEFFA\u20AC\u00E9|Z"));
    EXPECT_EQ(Decoded(DecodeUtf16Le, "Z"), L"|Z");
}

TEST(TextDecoding, AnsiConversion) {
    // Windows-1252 here: the system code page of an English or German Windows (and of Wine with
    // LANG=C.UTF-8), and our own table elsewhere.
    EXPECT_EQ(Decoded(DecodeAnsi, "caf\xE9 \x80 5"), L"caf\u00E9 \u20AC 5");
    EXPECT_EQ(Decoded(DecodeAnsi, ""), L"");
}

TEST(TextDecoding, Utf8IsDecodedAndACutOffCharacterWaitsForTheRest) {
    const std::pair<std::string_view, std::wstring> cases[] = {
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         L"Gr\u00FC\u00DFe"},
        {"\xE2\x82\xAC 5", L"\u20AC 5"},
        {"plain ASCII, more than eight bytes", L"plain ASCII, more than eight bytes"},
        {"a\xE2\x82", L"a|\xE2\x82"}, // cut off: left for the next bytes
        {"a\xC3", L"a|\xC3"},
        {"x\xFF"
         "y\xC0\xAF"
         "z",
         L"x\uFFFDy\uFFFD\uFFFDz"},              // not well-formed (0xC0 0xAF: an overlong '/')
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"}, // a surrogate
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(Decoded(DecodeUtf8, bytes), text) << testing::PrintToString(std::string(bytes));
    }
    // Beyond the Basic Multilingual Plane: a surrogate pair where wide characters are 16 bits.
    const std::wstring clef = Decoded(DecodeUtf8, "\xF0\x9D\x84\x9E");
    EXPECT_EQ(clef, sizeof(wchar_t) == 2 ? std::wstring(L"\xD834\xDD1E") : std::wstring(1, wchar_t(0x1D11E)));
}

TEST(TextDecoding, Utf8TextHasAByteOrderMarkOrALongerCharacterAndNoFault) {
    const auto utf8 = [](std::string_view bytes, bool cutOff) {
        return IsUtf8Text(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), cutOff);
    };
    EXPECT_TRUE(utf8("Gr\xC3\xBC\xC3\x9F"
                     "e aus K\xC3\xB6ln",
                     false));
    EXPECT_TRUE(utf8("\xEF\xBB\xBFplain", false)); // the byte-order mark alone decides
    EXPECT_FALSE(utf8("plain ASCII text", false)); // nothing beyond ASCII: the code page's
    EXPECT_FALSE(utf8("Gr\xFC\xDF"
                      "e",
                      false));                                        // Windows-1252
    EXPECT_FALSE(utf8(std::string_view("caf\xC3\xA9\0x", 7), false)); // a NUL: UTF-16 rather
    EXPECT_TRUE(utf8("caf\xC3\xA9 \xE2\x82", true));                  // cut off by the chunk's end
    EXPECT_FALSE(utf8("caf\xC3\xA9 \xE2\x82", false));                // ... or the text's
}

void ExpectPrintableAsciiEverywhere() {
    for (int byte = 0; byte < 256; ++byte) {
        const bool printable = (byte >= 0x20 && byte < 0x7F) || byte == '\t' || byte == '\n' || byte == '\r';
        for (std::size_t at = 0; at < 140; at += 3) {
            std::string text(140, 'a');
            text[at] = static_cast<char>(byte);
            EXPECT_EQ(IsPrintableAsciiText(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), printable)
                << byte << " at " << at;
        }
    }
}

// Every byte at every place of a text longer than the blocks tested at once, by the code for
// AVX2 (where the processor has it) and by the baseline code.
TEST(TextDecoding, PrintableAsciiIsPrintableCharactersTabsAndLineEnds) {
    for (const bool avx2 : {true, false}) {
        AllowAvx2(avx2);
        ExpectPrintableAsciiEverywhere();
    }
    AllowAvx2(true);
}

TEST(TextDecoding, ByteTableAgreesWithTheConversion) {
    std::array<wchar_t, 256> table = {};
    if (!AnsiByteTable(table)) {
        GTEST_SKIP() << "the system code page takes more than one byte per character";
    }
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Decoded(DecodeAnsi, all), std::wstring(table.begin(), table.end()));
    for (std::size_t byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(Decoded(DecodeAnsi, all.substr(byte, 1)), std::wstring(1, table[byte])) << byte;
    }
}

} // namespace
} // namespace vk
