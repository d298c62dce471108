#include "engine/ByteCodePage.h"

#include "engine/CaseFolding.h"

#include <algorithm>
#include <cstddef>

namespace vk {

std::optional<ByteCodePage> ByteCodePage::Make(const std::array<wchar_t, 256>& decoded) {
    ByteCodePage page;
    page.decoded_ = decoded;
    for (const bool exact : {false, true}) {
        Mode& mode = page.modes_[exact ? 1 : 0];
        for (std::size_t byte = 0; byte < 256; ++byte) {
            const wchar_t c = exact ? decoded[byte] : FoldCase(decoded[byte]);
            if ((c == 0) != (byte == 0)) {
                return std::nullopt;
            }
            mode.byCharacter[byte] = {c, static_cast<std::uint8_t>(byte)};
        }
        std::sort(mode.byCharacter.begin(), mode.byCharacter.end());
        // Each run of equal characters is one set; its lowest byte comes first and represents it.
        for (std::size_t begin = 0; begin < 256;) {
            std::size_t end = begin + 1;
            while (end < 256 && mode.byCharacter[end].first == mode.byCharacter[begin].first) {
                ++end;
            }
            if (end - begin > 3) {
                return std::nullopt;
            }
            const std::uint8_t representative = mode.byCharacter[begin].second;
            std::array<std::uint8_t, 3>& members = mode.members[representative];
            for (std::size_t i = 0; i < 3; ++i) {
                members[i] = mode.byCharacter[begin + std::min(i, end - begin - 1)].second;
            }
            for (std::size_t i = begin; i < end; ++i) {
                mode.representative[mode.byCharacter[i].second] = representative;
                mode.byCharacter[i].second = representative;
            }
            begin = end;
        }
    }
    return page;
}

std::uint8_t ByteCodePage::Encode(wchar_t c, bool exact) const {
    const Mode& mode = modes_[exact ? 1 : 0];
    const wchar_t key = exact ? c : FoldCase(c);
    const auto at =
        std::lower_bound(mode.byCharacter.begin(), mode.byCharacter.end(), key,
                         [](const std::pair<wchar_t, std::uint8_t>& entry, wchar_t k) { return entry.first < k; });
    return at != mode.byCharacter.end() && at->first == key ? at->second : 0;
}

} // namespace vk
