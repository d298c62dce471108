#pragma once
// Modified times as people write them: local calendar times and spans back from now, read into
// file time ticks (FileSystem.h) and written as ISO 8601 local time with the offset.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// The file time of now.
[[nodiscard]] std::int64_t FileTimeNow();

// A local calendar time (seconds precision) as file time ticks; nothing when the fields are out
// of range or the time does not exist. isDst -1 lets the system decide.
struct LocalDateTime {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};
[[nodiscard]] std::optional<std::int64_t> FileTimeFromLocal(const LocalDateTime& local);

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" in local time, or a span back from
// now: a whole number followed by m (minutes), h (hours), d (days) or w (weeks). Nothing for
// anything else.
[[nodiscard]] std::optional<std::int64_t> ParseWhen(std::wstring_view text, std::int64_t now);

// "2026-12-09T13:05:00+01:00": the local time with the offset from UTC at that moment. Empty for
// 0 (unknown).
[[nodiscard]] std::wstring IsoLocalText(std::int64_t fileTime);

} // namespace vk
