// The matcher's classes against the system's own wide-character classification, character by
// character over the Basic Multilingual Plane.
#include "engine/CharClasses.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <vector>

namespace vk {
namespace {

TEST(CharClassesWin, AgreeWithTheSystemClassification) {
    std::vector<unsigned> differences;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<wchar_t>(code);
        const bool systemAlpha = std::iswalpha(static_cast<std::wint_t>(code)) != 0;
        const bool systemDigit = std::iswdigit(static_cast<std::wint_t>(code)) != 0;
        if (IsAlphaChar(c) != systemAlpha || IsDigitChar(c) != systemDigit) {
            differences.push_back(code);
        }
    }
    // (A system with newer Unicode tables may know a few more letters: then run
    // scripts/make-char-classes.py with a Python of that Unicode version.)
    EXPECT_TRUE(differences.empty()) << differences.size() << " differences, the first at U+" << std::hex
                                     << (differences.empty() ? 0 : differences.front());
}

} // namespace
} // namespace vk
