// What a session is, for the history report's sessions and the live view's current one alike.
#pragma once

#include <cstdint>

// A gap of more than this between two matches starts a new session.
inline constexpr std::int64_t kSessionGapSeconds = 30 * 60;

// The streak after a match: +3 is three wins in a row, -2 two losses.
constexpr std::int64_t streakAfter(std::int64_t streak, bool win) {
    return win ? (streak > 0 ? streak + 1 : 1) : (streak < 0 ? streak - 1 : -1);
}
