// Times as people write them: local dates and spans back from now.
#include "engine/ModifiedTime.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vk {
namespace {

TEST(ModifiedTime, WhenTextsAreReadAndBadOnesRefused) {
    const std::int64_t now = FileTimeFromUnix(1'765'000'000, 0);
    const std::int64_t minute = 60 * kFileTimeTicksPerSecond;
    struct Case {
        const wchar_t* text;
        std::optional<std::int64_t> expected;
    };
    const Case spans[] = {
        {L"30m", now - 30 * minute},
        {L"12h", now - 12 * 60 * minute},
        {L"7d", now - 7 * 24 * 60 * minute},
        {L"4w", now - 28 * 24 * 60 * minute},
        {L"0d", now},
        {L"m", std::nullopt},
        {L"5s", std::nullopt},
        {L"-5d", std::nullopt},
        {L"5 d", std::nullopt},
        {L"99999999999999999999w", std::nullopt}, // longer ago than file times reach: refused, not wrapped
    };
    for (const auto& [text, expected] : spans) {
        EXPECT_EQ(ParseWhen(text, now), expected) << text;
    }
    for (const wchar_t* bad :
         {L"", L"2026-13-01", L"2026-02-30", L"2026-1-01", L"2026-01-01T", L"2026-01-01T24:00", L"2026-01-01T10:60",
          L"2026-01-01 10:00", L"2026-01-01T10:00:00Z", L"yesterday", L"2026-01-01T10:00:61", L"1600-12-31"}) {
        EXPECT_EQ(ParseWhen(bad, now), std::nullopt) << bad;
    }
    // The three date forms are local times: written back as local time they read the same, and
    // the offset written with them is the one that turns them into the moment.
    const auto day = ParseWhen(L"2026-07-14", now);
    const auto minuteOf = ParseWhen(L"2026-07-14T09:05", now);
    const auto second = ParseWhen(L"2026-07-14T09:05:07", now);
    ASSERT_TRUE(day && minuteOf && second);
    EXPECT_EQ(*minuteOf - *day, (9 * 60 + 5) * minute);
    EXPECT_EQ(*second - *minuteOf, 7 * kFileTimeTicksPerSecond);
    const std::wstring text = IsoLocalText(*second);
    ASSERT_EQ(text.size(), 25u) << text;
    EXPECT_EQ(text.substr(0, 19), L"2026-07-14T09:05:07");
    const int sign = text[19] == L'-' ? -1 : 1;
    const int offsetMinutes = sign * (std::stoi(text.substr(20, 2)) * 60 + std::stoi(text.substr(23, 2)));
    EXPECT_EQ(*ParseWhen(L"2026-07-14T09:05:07", now) + offsetMinutes * minute,
              FileTimeFromUnix(1'784'019'907, 0)) // 2026-07-14T09:05:07 UTC
        << text;
    EXPECT_EQ(IsoLocalText(0), L"");
}

} // namespace
} // namespace vk
