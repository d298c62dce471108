#include "platform/TextDecoding.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace vk {

bool IsTextUnicode(const std::uint8_t* bytes, std::size_t count) {
    // No result flags asked for: the system then runs all its tests.
    const int size = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
    return ::IsTextUnicode(bytes, size, nullptr) != FALSE;
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

void DecodeAnsi(const std::uint8_t* bytes, std::size_t count, std::wstring& out) {
    out.clear();
    // One byte never becomes more than one wide character, so the output fits in count.
    constexpr std::size_t kPiece = 1U << 30;
    std::size_t done = 0;
    while (done < count) {
        const std::size_t piece = std::min(count - done, kPiece);
        const std::size_t start = out.size();
        out.resize(start + piece);
        const int made = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes + done),
                                             static_cast<int>(piece), out.data() + start, static_cast<int>(piece));
        out.resize(start + static_cast<std::size_t>(made > 0 ? made : 0));
        done += piece;
    }
}

} // namespace vk
