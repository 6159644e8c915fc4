// How long ago a moment was, as a short English text ("a minute ago", "yesterday", "3 months ago").
#pragma once

#include <array>
#include <cstdint>
#include <string>

// `unitSeconds` holds the lengths of a second, minute, hour, day, 30-day month and 365-day year. The age
// is the low 32 bits of `now` minus `timestamp`, modulo 2^32, so a timestamp in the future reads as a
// very old one; every comparison and division is unsigned 32-bit, and each threshold is taken from the
// table (twice a unit is computed from it too).
std::string timeAgoText(std::int64_t now, std::uint32_t timestamp,
                        const std::array<std::int32_t, 6>& unitSeconds);

// The 32-bit timestamp to tell the age of a match at `time` (seconds since 1970, as the stats file holds
// it) by: its low 32 bits, except that a time later than `now` (a clock put back after the match) is
// taken as `now`, an age of 0, where the 32-bit age would read it as 136 years old. Ages are worked out
// from the full values; a time not in the future is its own low 32 bits, so its text is that of its
// 32-bit age.
std::uint32_t ageTimestamp(std::int64_t now, std::uint64_t time);
