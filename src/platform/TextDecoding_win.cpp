#include "platform/TextDecoding.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>

namespace vk {

bool IsTextUnicode(const std::uint8_t* bytes, std::size_t count) {
    // No result flags asked for: the system then runs all its tests.
    const int size = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
    return ::IsTextUnicode(bytes, size, nullptr) != FALSE;
}

TextEncoding DetectTextEncoding(const std::uint8_t* bytes, std::size_t count, bool cutOff) {
    if (IsUtf8Text(bytes, count, cutOff)) {
        return TextEncoding::kUtf8;
    }
    return IsTextUnicode(bytes, count) ? TextEncoding::kUtf16Le : TextEncoding::kCodePage;
}

bool AnsiByteTable(std::array<wchar_t, 256>& table) {
    CPINFO info = {};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) {
        return false;
    }
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t out[2] = {};
        if (MultiByteToWideChar(CP_ACP, 0, &in, 1, out, 2) != 1) {
            return false;
        }
        table[static_cast<std::size_t>(byte)] = out[0];
    }
    return true;
}

namespace {

// How the system's code page splits bytes into characters, for holding back a character cut off
// at the end of a piece of text.
struct AnsiLayout {
    bool utf8 = false;               // the code page is UTF-8 (a choice on Windows 10 and 11)
    std::array<bool, 256> lead = {}; // a lead byte of a two-byte character
    bool twoByte = false;
};

const AnsiLayout& SystemAnsiLayout() {
    static const AnsiLayout layout = [] {
        AnsiLayout result;
        if (GetACP() == CP_UTF8) {
            result.utf8 = true;
            return result;
        }
        CPINFO info = {};
        if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2) {
            result.twoByte = true;
            for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
                for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) {
                    result.lead[byte] = true;
                }
            }
        }
        return result;
    }();
    return layout;
}

// The bytes up to the last whole character: a lead byte at the end waits for its second byte. The
// second byte of a pair may look like a lead byte, so the bytes are stepped through from the start.
std::size_t WholeCharacters(const AnsiLayout& layout, const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
        const std::size_t step = layout.lead[bytes[i]] ? 2 : 1;
        if (i + step > count) {
            break;
        }
        i += step;
    }
    return i;
}

} // namespace

DecodedText DecodeAnsi(const std::uint8_t* bytes, std::size_t count, wchar_t* out) {
    const AnsiLayout& layout = SystemAnsiLayout();
    if (layout.utf8) {
        return DecodeUtf8(bytes, count, out);
    }
    const std::size_t whole = layout.twoByte ? WholeCharacters(layout, bytes, count) : count;
    // One byte never becomes more than one wide character, so the output fits in count.
    constexpr std::size_t kPiece = 1U << 30;
    DecodedText decoded;
    while (decoded.bytesUsed < whole) {
        const std::size_t piece = std::min(whole - decoded.bytesUsed, kPiece);
        const int made =
            MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes + decoded.bytesUsed),
                                static_cast<int>(piece), out + decoded.characters, static_cast<int>(piece));
        decoded.characters += static_cast<std::size_t>(made > 0 ? made : 0);
        decoded.bytesUsed += piece;
    }
    return decoded;
}

} // namespace vk
