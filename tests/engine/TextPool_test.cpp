#include "engine/TextPool.h"

#include <gtest/gtest.h>

#include <vector>

namespace vk {
namespace {

TEST(TextPool, EveryTextComesBackExactly) {
    std::vector<std::wstring> texts = {
        L"",
        L"report.txt",
        L"\\\\SERVER\\share\\Ünïcödé\\",
        L"\u65e5\u672c\u8a9e.doc",
        std::wstring(1, static_cast<wchar_t>(0xDC80)) + L"escaped-byte", // an undecodable file-name byte
        std::wstring(1, static_cast<wchar_t>(0xD800)) + L"lone",         // a lone high surrogate
        std::wstring(L"x") + static_cast<wchar_t>(0xDBFF),               // one at the end
        std::wstring(300000, L'a'),                                      // longer than a block
        std::wstring(400000, L'\u65e5'),                                 // over a mebibyte
    };
    if constexpr (sizeof(wchar_t) == 2) {
        texts.push_back(L"\xD83D\xDE00 pair"); // a character beyond the basic plane
    } else {
        texts.push_back(std::wstring(1, static_cast<wchar_t>(0x1F600)) + L" astral");
        texts.push_back(std::wstring(1, static_cast<wchar_t>(0xD800)) + static_cast<wchar_t>(0xDC00)); // two lone
        texts.push_back(std::wstring(1, static_cast<wchar_t>(0x7FFFFFFF)));
    }
    TextPool pool;
    std::vector<TextPool::Ref> refs;
    for (const auto& text : texts) {
        refs.push_back(pool.Add(text));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(pool.Text(refs[i]), texts[i]) << "text " << i;
        EXPECT_TRUE(pool.Holds(refs[i], texts[i])) << "text " << i;
        EXPECT_FALSE(pool.Holds(refs[i], texts[i] + L"!")) << "text " << i;
    }
}

} // namespace
} // namespace vk
