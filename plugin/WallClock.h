// The one place the plugin reads the wall clock. A test host may pin it through the module's
// TallyglassPinClock export; the real host never does, and then the system clock is read.
#pragma once

#include <cstdint>

// Seconds since 1970-01-01 00:00:00 UTC.
std::int64_t wallClockNow();

void pinWallClock(std::int64_t secondsSinceEpoch);
void unpinWallClock();
