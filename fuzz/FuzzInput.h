#pragma once
// What the fuzz targets share: a check that aborts with the failed condition (so that the fuzzer
// saves the input), and wide texts made from fuzz input.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define VK_FUZZ_CHECK(condition)                                                                                       \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace vk::fuzz {

// A wide text of at most maxLength characters. Most characters come from a small alphabet that
// the code under test treats specially (so that the fuzzer meets the interesting cases soon);
// the rest are any code point, lone surrogates included.
inline std::wstring WideText(FuzzedDataProvider& input, std::size_t maxLength, std::wstring_view alphabet) {
    std::wstring text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        const std::uint8_t pick = input.ConsumeIntegral<std::uint8_t>();
        if (pick < 0xC0 && !alphabet.empty()) {
            text.push_back(alphabet[pick % alphabet.size()]);
        } else if (pick < 0xF0) {
            text.push_back(static_cast<wchar_t>(input.ConsumeIntegralInRange<std::uint32_t>(1, 0xFFFF)));
        } else {
            text.push_back(static_cast<wchar_t>(input.ConsumeIntegralInRange<std::uint32_t>(1, 0x10FFFF)));
        }
    }
    return text;
}

// The characters of a text as code points ("61 2A DC80"), for messages about a find.
inline std::string Codes(std::wstring_view text) {
    std::string codes;
    for (const wchar_t c : text) {
        char code[16];
        std::snprintf(code, sizeof code, "%s%X", codes.empty() ? "" : " ", static_cast<unsigned>(c));
        codes += code;
    }
    return codes;
}

} // namespace vk::fuzz
