// The stats file's Timestamp: a moment in local time as hours:minutes:seconds month/day/year.
#pragma once

#include <cstdint>
#include <string>

// The moment (seconds since 1970-01-01 00:00:00 UTC) in local time, formatted "%X %x" in the classic
// "C" locale, e.g. "21:05:09 12/07/25". Empty when the platform cannot convert the moment.
std::string timestampText(std::int64_t secondsSinceEpoch);
