#include "platform/TextDecoding.h"

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

TEST(TextDecoding, Utf16LeKeepsTheByteOrderMarkAndDropsAnOddByte) {
    const std::string bytes = test::Utf16LeBytes(u"A\u20AC\u00E9", true) + "Z";
    std::wstring text = L"left over from an earlier chunk";
    DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text);
    EXPECT_EQ(text, std::wstring(L"\uFEFFA\u20AC\u00E9"));

    DecodeUtf16Le(reinterpret_cast<const std::uint8_t*>(bytes.data()), 1, text);
    EXPECT_TRUE(text.empty());
}

TEST(TextDecoding, AnsiConversionReplacesTheOutput) {
    const std::string bytes = "caf\xE9 \x80 5";
    std::wstring text = L"left over from an earlier chunk";
    DecodeAnsi(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text);
    // Windows-1252 here: the system code page of an English or German Windows (and of Wine with
    // LANG=C.UTF-8), and our own table elsewhere.
    EXPECT_EQ(text, std::wstring(L"caf\u00E9 \u20AC 5"));

    DecodeAnsi(reinterpret_cast<const std::uint8_t*>(bytes.data()), 0, text);
    EXPECT_TRUE(text.empty());
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
    std::wstring whole;
    DecodeAnsi(reinterpret_cast<const std::uint8_t*>(all.data()), all.size(), whole);
    EXPECT_EQ(whole, std::wstring(table.begin(), table.end()));
    for (std::size_t byte = 0; byte < 256; ++byte) {
        std::wstring one;
        DecodeAnsi(reinterpret_cast<const std::uint8_t*>(all.data()) + byte, 1, one);
        EXPECT_EQ(one, std::wstring(1, table[byte])) << byte;
    }
}

} // namespace
} // namespace vk
