#include "forms/MaskHistory.h"

#include "engine/CaseFolding.h"

#include <algorithm>

namespace vk {

bool StartsWithIgnoringCase(std::wstring_view entry, std::wstring_view prefix) {
    if (prefix.size() > entry.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), entry.begin(),
                      [](wchar_t a, wchar_t b) { return FoldCase(a) == FoldCase(b); });
}

bool BelongsInHistory(const std::vector<std::wstring>& entries, std::wstring_view text) {
    if (text.empty()) {
        return false;
    }
    return std::none_of(entries.begin(), entries.end(),
                        [text](const std::wstring& entry) { return StartsWithIgnoringCase(entry, text); });
}

} // namespace vk
