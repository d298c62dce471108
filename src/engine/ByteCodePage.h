#pragma once
// A single-byte code page seen from the wildcard matcher, so that 8-bit text can be matched byte by
// byte: which bytes stand for characters that are equal, with or without regard to case.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace vk {

class ByteCodePage {
public:
    // decoded: the wide character of every byte value. Nothing when the bytes cannot be matched on
    // their own: when a byte other than 0 stands for NUL (or 0 for anything else), or when more
    // than three bytes stand for characters that are all equal (a scan compares each byte with at
    // most three).
    [[nodiscard]] static std::optional<ByteCodePage> Make(const std::array<wchar_t, 256>& decoded);

    [[nodiscard]] wchar_t Decoded(std::uint8_t byte) const { return decoded_[byte]; }

    // One byte for each set of bytes whose characters are equal in the given mode: the text's
    // bytes are compared through it.
    [[nodiscard]] const std::array<std::uint8_t, 256>& Representatives(bool exact) const {
        return modes_[exact ? 1 : 0].representative;
    }

    // The representative of the bytes whose character equals c, or 0 when there is none: then c
    // can never match a byte of the text (which ends at its first 0).
    [[nodiscard]] std::uint8_t Encode(wchar_t c, bool exact) const;

    // The bytes a representative stands for, repeated to fill three places.
    [[nodiscard]] const std::array<std::uint8_t, 3>& Members(std::uint8_t representative, bool exact) const {
        return modes_[exact ? 1 : 0].members[representative];
    }

private:
    ByteCodePage() = default;

    struct Mode {
        std::array<std::uint8_t, 256> representative = {};
        std::array<std::array<std::uint8_t, 3>, 256> members = {};
        // (the character every member of a set is equal to, its representative), sorted.
        std::array<std::pair<wchar_t, std::uint8_t>, 256> byCharacter = {};
    };

    std::array<wchar_t, 256> decoded_ = {};
    std::array<Mode, 2> modes_ = {}; // [0] without regard to case, [1] exact
};

} // namespace vk
