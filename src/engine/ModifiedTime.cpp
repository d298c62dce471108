#include "engine/ModifiedTime.h"

#include "platform/FileSystem.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cwchar>

namespace vk {
namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The seconds of a calendar time read as if it were UTC.
std::int64_t SecondsAsUtc(const std::tm& time) {
    return DaysFromCivil(time.tm_year + 1900LL, time.tm_mon + 1, time.tm_mday) * 86400 + time.tm_hour * 3600LL +
           time.tm_min * 60LL + time.tm_sec;
}

bool ToLocal(std::time_t seconds, std::tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &seconds) == 0;
#else
    return localtime_r(&seconds, &local) != nullptr;
#endif
}

bool ToUtc(std::time_t seconds, std::tm& utc) {
#ifdef _WIN32
    return gmtime_s(&utc, &seconds) == 0;
#else
    return gmtime_r(&seconds, &utc) != nullptr;
#endif
}

// Reads exactly count digits at text[at]; advances at.
bool Digits(std::wstring_view text, std::size_t& at, std::size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const wchar_t c = text[at + i];
        if (c < L'0' || c > L'9') {
            return false;
        }
        value = value * 10 + (c - L'0');
    }
    at += count;
    return true;
}

bool Char(std::wstring_view text, std::size_t& at, wchar_t c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

std::optional<std::int64_t> ParseSpan(std::wstring_view text, std::int64_t now) {
    if (text.size() < 2) {
        return std::nullopt;
    }
    std::int64_t unitSeconds = 0;
    switch (text.back()) {
    case L'm':
        unitSeconds = 60;
        break;
    case L'h':
        unitSeconds = 3600;
        break;
    case L'd':
        unitSeconds = 86400;
        break;
    case L'w':
        unitSeconds = 7 * 86400;
        break;
    default:
        return std::nullopt;
    }
    // A span longer than file times reach back is refused rather than wrapped round.
    const std::int64_t limit = now / (unitSeconds * kFileTimeTicksPerSecond);
    std::int64_t count = 0;
    for (const wchar_t c : text.substr(0, text.size() - 1)) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        count = count * 10 + (c - L'0');
        if (count > limit) {
            return std::nullopt;
        }
    }
    return now - count * unitSeconds * kFileTimeTicksPerSecond;
}

} // namespace

std::int64_t FileTimeNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return kUnixEpochFileTime + std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
}

std::optional<std::int64_t> FileTimeFromLocal(const LocalDateTime& local) {
    if (local.year < 1601 || local.year > 9999 || local.month < 1 || local.month > 12 || local.day < 1 ||
        local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59 || local.second < 0 ||
        local.second > 59) {
        return std::nullopt;
    }
    // The day must exist in its month (mktime would move 2026-02-30 to March).
    const std::int64_t dayNumber = DaysFromCivil(local.year, local.month, local.day);
    const int nextMonth = local.month == 12 ? 1 : local.month + 1;
    const std::int64_t nextMonthStart = DaysFromCivil(local.month == 12 ? local.year + 1 : local.year, nextMonth, 1);
    if (dayNumber >= nextMonthStart) {
        return std::nullopt;
    }
    const std::int64_t asUtc = dayNumber * 86400 + local.hour * 3600LL + local.minute * 60LL + local.second;
    // The offset from UTC at that moment: first guess with the offset of the UTC reading, then
    // once more with the offset at the guess (right across a change of summer time).
    std::int64_t seconds = asUtc;
    for (int pass = 0; pass < 2; ++pass) {
        std::tm at{};
        if (!ToLocal(static_cast<std::time_t>(seconds), at)) {
            break; // before the system's local times (Windows: 1970): taken as UTC
        }
        seconds = asUtc - (SecondsAsUtc(at) - seconds);
    }
    return FileTimeFromUnix(seconds, 0);
}

std::optional<std::int64_t> ParseWhen(std::wstring_view text, std::int64_t now) {
    if (!text.empty() && text.back() >= L'a' && text.back() <= L'z') {
        return ParseSpan(text, now);
    }
    LocalDateTime local;
    std::size_t at = 0;
    if (!Digits(text, at, 4, local.year) || !Char(text, at, L'-') || !Digits(text, at, 2, local.month) ||
        !Char(text, at, L'-') || !Digits(text, at, 2, local.day)) {
        return std::nullopt;
    }
    if (at < text.size()) {
        if (!Char(text, at, L'T') || !Digits(text, at, 2, local.hour) || !Char(text, at, L':') ||
            !Digits(text, at, 2, local.minute)) {
            return std::nullopt;
        }
        if (at < text.size() && (!Char(text, at, L':') || !Digits(text, at, 2, local.second))) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    return FileTimeFromLocal(local);
}

std::wstring IsoLocalText(std::int64_t fileTime) {
    if (fileTime == 0) {
        return {};
    }
    std::int64_t seconds = (fileTime - kUnixEpochFileTime) / kFileTimeTicksPerSecond;
    if ((fileTime - kUnixEpochFileTime) % kFileTimeTicksPerSecond < 0) {
        --seconds; // whole seconds round down, before 1970 too
    }
    std::tm at{};
    std::int64_t offset = 0;
    if (ToLocal(static_cast<std::time_t>(seconds), at)) {
        offset = SecondsAsUtc(at) - seconds;
    } else if (!ToUtc(static_cast<std::time_t>(seconds), at)) {
        return {};
    }
    const wchar_t sign = offset < 0 ? L'-' : L'+';
    const std::int64_t minutes = (offset < 0 ? -offset : offset) / 60;
    wchar_t buffer[48];
    std::swprintf(buffer, sizeof buffer / sizeof buffer[0], L"%04d-%02d-%02dT%02d:%02d:%02d%lc%02d:%02d",
                  at.tm_year + 1900, at.tm_mon + 1, at.tm_mday, at.tm_hour, at.tm_min, at.tm_sec,
                  static_cast<std::wint_t>(sign), static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
    return buffer;
}

} // namespace vk
