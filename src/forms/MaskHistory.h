#pragma once
// The rule by which a search form's mask history grows: a mask used for a search goes to the top
// of the history unless it is empty or some entry already begins with it (letter case ignored).
// Nothing else in the history moves, and nothing is ever taken out while the form lives.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// How many entries of a history the form state file keeps.
constexpr std::size_t kStoredHistoryEntries = 10;

// Whether text goes to the top of a history holding entries (newest first).
[[nodiscard]] bool BelongsInHistory(const std::vector<std::wstring>& entries, std::wstring_view text);

// Whether entry begins with prefix, letter case ignored.
[[nodiscard]] bool StartsWithIgnoringCase(std::wstring_view entry, std::wstring_view prefix);

} // namespace vk
