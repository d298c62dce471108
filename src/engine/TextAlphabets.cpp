#include "engine/TextAlphabets.h"

#include "engine/CharClasses.h"

#include <string_view>

namespace vk {

namespace {

// ASCII characters from the most common in text files (prose, code, logs) on; the rest are rarer.
constexpr std::string_view kByFrequency =
    " etaoinsrhldcumfpgwyb,.\n\r\tvk01-2\"'53:4698/7=()_;xjqz<>[]{}*&#@!?+%$|~^`\\";

constexpr std::array<std::uint8_t, 128> MakeAsciiRanks() {
    std::array<std::uint8_t, 128> ranks = {};
    for (auto& rank : ranks) {
        rank = 20;
    }
    for (std::size_t i = 0; i < kByFrequency.size(); ++i) {
        ranks[static_cast<unsigned char>(kByFrequency[i])] = static_cast<std::uint8_t>(255 - 2 * i);
    }
    return ranks;
}

constexpr std::array<std::uint8_t, 128> kAsciiRanks = MakeAsciiRanks();

} // namespace

unsigned CharacterRank(wchar_t folded) {
    const auto code = static_cast<std::uint32_t>(folded);
    return code < kAsciiRanks.size() ? kAsciiRanks[code] : 10;
}

bool InCharacterClass(wchar_t c, ElementKind kind) {
    switch (kind) {
    case ElementKind::kAlpha:
        return IsAlphaChar(c);
    case ElementKind::kDigit:
        return IsDigitChar(c);
    case ElementKind::kRoman:
        return c == L'I' || c == L'V' || c == L'X' || c == L'C' || c == L'L' || c == L'D' || c == L'M';
    default:
        return false;
    }
}

ByteAlphabet::ByteAlphabet(const ByteCodePage& codePage, bool exact)
    : codePage_(&codePage), exact_(exact), representative_(codePage.Representatives(exact)) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        members_[byte] = codePage.Members(b, exact);
        const wchar_t c = codePage.Decoded(b);
        classes_[byte] = static_cast<std::uint8_t>((InCharacterClass(c, ElementKind::kAlpha) ? 1U : 0U) |
                                                   (InCharacterClass(c, ElementKind::kDigit) ? 2U : 0U) |
                                                   (InCharacterClass(c, ElementKind::kRoman) ? 4U : 0U));
        ranks_[byte] = static_cast<std::uint8_t>(CharacterRank(FoldCase(c)));
    }
}

std::optional<std::uint8_t> ByteAlphabet::LiteralChar(wchar_t c) const {
    // No byte but 0 stands for NUL, and the text ends before it: 0 means no byte equals c.
    const std::uint8_t representative = codePage_->Encode(c, exact_);
    if (representative == 0) {
        return std::nullopt;
    }
    return representative;
}

} // namespace vk
