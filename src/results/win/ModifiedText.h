#pragma once
// The text of the result list's "Modified" column: a hit's last write time in the user's short
// date and short time formats, in local time.

#include <cstdint>
#include <string>

namespace vk {

// "12/9/2026 3:44 PM" in the formats of the user's locale; empty for 0 (unknown) or a time the
// system cannot show.
[[nodiscard]] std::wstring ModifiedText(std::int64_t fileTime);

} // namespace vk
