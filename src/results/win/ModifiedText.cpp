#include "results/win/ModifiedText.h"

#include "framework/LocaleFormats.h"

#include <windows.h>

namespace vk {
namespace {

// A text from one of the locale calls, which take the buffer's size and return the length with
// the terminator (0 on failure).
template <class Call> std::wstring LocaleText(Call call) {
    wchar_t buffer[128];
    const int length = call(buffer, static_cast<int>(std::size(buffer)));
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
}

} // namespace

std::wstring ModifiedText(std::int64_t fileTime) {
    if (fileTime <= 0) {
        return {};
    }
    const auto ticks = static_cast<std::uint64_t>(fileTime);
    const FILETIME utc{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
        return {};
    }
    const std::wstring date = LocaleText([&](wchar_t* buffer, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, buffer, size, nullptr);
    });
    // The short time format is a format string of its own; without one, the time format without
    // seconds.
    const std::wstring shortTime = ui::UserLocaleFormats().shortTime;
    const std::wstring time = LocaleText([&](wchar_t* buffer, int size) {
        return shortTime.empty()
                   ? GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, buffer, size)
                   : GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, shortTime.c_str(), buffer, size);
    });
    if (date.empty() || time.empty()) {
        return {};
    }
    return date + L" " + time;
}

} // namespace vk
