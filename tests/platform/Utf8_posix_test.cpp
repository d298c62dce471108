#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

// File names (POSIX: bytes) map to wide names and back without loss, and different bytes never give
// the same name: the bytes that begin no character (overlong forms, surrogates, values past
// U+10FFFF, cut-off sequences, stray continuation bytes) each stand for themselves.
TEST(Utf8Names, EveryByteStringMapsToADifferentNameAndBack) {
    const std::vector<std::string> names = {
        "plain.txt",
        "caf\xC3\xA9",      // e acute
        "\xF0\x9F\x98\x80", // U+1F600
        "\x80",             // a stray continuation byte
        "\xED\xB2\x80",     // U+DC80 encoded: not a character, three bytes of their own
        "\xED\xA0\x80",     // U+D800 encoded
        "\xC0\xAF",         // an overlong '/'
        "\xE0\x80\xAF",     // ... in three bytes
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xE2\x82",         // cut off
        std::string("a\0b", 3),
    };
    std::vector<std::wstring> wide;
    for (const std::string& name : names) {
        wide.push_back(WideFromFileName(name));
        EXPECT_EQ(FileNameFromWide(wide.back()), name) << testing::PrintToString(name);
    }
    for (std::size_t i = 0; i < wide.size(); ++i) {
        for (std::size_t j = i + 1; j < wide.size(); ++j) {
            EXPECT_NE(wide[i], wide[j]) << testing::PrintToString(names[i]) << " and "
                                        << testing::PrintToString(names[j]);
        }
    }
    EXPECT_EQ(WideFromFileName("caf\xC3\xA9"), L"caf\u00E9");
    EXPECT_EQ(WideFromFileName("\xED\xB2\x80"), std::wstring({wchar_t(0xDCED), wchar_t(0xDCB2), wchar_t(0xDC80)}));
    // Plain UTF-8 text reads every such byte as the replacement character.
    EXPECT_EQ(WideFromUtf8("\xED\xB2\x80!"), L"\uFFFD\uFFFD\uFFFD!");
}

} // namespace
} // namespace vk
