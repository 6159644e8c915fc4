// Which match times a reader believes. A spreadsheet or a wrong clock can leave a time no match can have
// been played at (0, 1970, next year); the report and the live view skip such a row rather than place
// it at that time.
#pragma once

#include <algorithm>
#include <cstdint>

// 2000-01-01 00:00:00 UTC.
inline constexpr std::int64_t kEarliestPlausibleTime = 946'684'800;
// A clock a little ahead is forgiven.
inline constexpr std::int64_t kFutureAllowanceSeconds = 24 * 60 * 60;
// Beyond this, a time is no date a browser can show.
inline constexpr std::int64_t kLatestShowableTime = 8'640'000'000'000;

constexpr std::int64_t latestPlausibleTime(std::int64_t now) {
    return std::min(kLatestShowableTime, now + kFutureAllowanceSeconds);
}

constexpr bool isPlausibleTime(std::int64_t time, std::int64_t now) {
    return time >= kEarliestPlausibleTime && time <= latestPlausibleTime(now);
}
