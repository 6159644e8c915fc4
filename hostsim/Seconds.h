// Times in scenarios and on the command line: decimal seconds read exactly into whole microseconds,
// the unit the host's clock counts in.
#pragma once

#include <chrono>
#include <string>

// The latest instant the plugin's time can show: 9999-12-31 23:59:59 UTC, in seconds since 1970.
inline constexpr long long kLatestClockSeconds = 253402300799;
inline constexpr std::chrono::microseconds kLatestClock{kLatestClockSeconds * 1000000};

// Reads SECONDS ("6", "0.1", "1796323200.25", "1e3"): a number from 0 up to kLatestClockSeconds, a
// fraction finer than a microsecond rounded to the nearest one. Refuses (exit 2) anything else,
// `what` naming the value in the message ("the wait").
std::chrono::microseconds parseSeconds(const std::string& text, const std::string& what);
