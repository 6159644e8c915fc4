// tallyglass-live as a function, so tests can run it in-process: checks the command line, the stats
// file's path and the output folder, then writes the live view once (--once) or follows the file until
// asked to stop.
// Exit status: 0 done or stopped; 2 a command line, stats file or output folder that cannot be used (a
// message, nothing written); 1 a file that could not be written with --once.
#pragma once

#include "live/StopSignal.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct LiveSurroundings {
    std::ostream& out;
    std::ostream& err;
    StopSignal& stop;
    std::function<std::int64_t()> clock; // seconds since 1970 UTC
};

int runLive(const std::vector<std::string>& arguments, LiveSurroundings& surroundings);

// Seconds since 1970 UTC, from the system's clock.
std::int64_t systemClock();

// How often the file is looked at; the pages load their data every second.
inline constexpr std::chrono::milliseconds kLookInterval{500};
