#include "results/ClipboardBlocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

std::vector<unsigned char> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(FileDropBlock, HeaderThenPathsInGivenOrderThenFiveZeroBytes) {
    // Rows 1 and 3 of the list with paths of 15 and 20 characters: n = 16 + 21 = 37, 99 bytes.
    const std::wstring first = L"\\\\SRV\\s\\15.txt1";
    const std::wstring second = L"\\\\SRV\\share\\20char.t";
    ASSERT_EQ(first.size(), 15u);
    ASSERT_EQ(second.size(), 20u);
    const auto block = FileDropBlock({first, second});
    ASSERT_EQ(block.size(), 2u * 37 + 25);
    const std::string header("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0", 20);
    const std::string expected = header + Utf16Le(u"\\\\SRV\\s\\15.txt1") + std::string(2, '\0') +
                                 Utf16Le(u"\\\\SRV\\share\\20char.t") + std::string(2, '\0') + std::string(5, '\0');
    EXPECT_EQ(block, Bytes(expected));
}

TEST(FileDropBlock, EachCharacterIsItsOwnUtf16Unit) {
    const auto block = FileDropBlock({L"\\\\SRV\\\u0444\u0430\u0439\u043b"});
    const std::string expected = Utf16Le(u"\\\\SRV\\\u0444\u0430\u0439\u043b") + std::string(2 + 5, '\0');
    ASSERT_EQ(block.size(), 20 + expected.size());
    EXPECT_EQ(std::vector<unsigned char>(block.begin() + 20, block.end()), Bytes(expected));
}

TEST(UnicodeTextBlock, TextThenOneZeroUnit) {
    EXPECT_EQ(UnicodeTextBlock(L"\\\\SRV\\share\\dir"), Bytes(Utf16Le(u"\\\\SRV\\share\\dir") + std::string(2, '\0')));
    EXPECT_EQ(UnicodeTextBlock(L""), Bytes(std::string(2, '\0')));
}

} // namespace
} // namespace vk
