#include "platform/TextDecoding.h"

#include <bit>
#include <cstring>

namespace vk {

void DecodeUtf16Le(const std::uint8_t* bytes, std::size_t count, std::wstring& out) {
    const std::size_t units = count / 2;
    out.resize(units);
    if constexpr (sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
        if (units != 0) {
            std::memcpy(out.data(), bytes, units * 2);
        }
    } else {
        wchar_t* text = out.data();
        for (std::size_t i = 0; i < units; ++i) {
            text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
    }
}

} // namespace vk
