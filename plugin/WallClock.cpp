#include "plugin/WallClock.h"

#include <chrono>
#include <optional>

namespace {
// Only ever touched on the host's game thread, like every other plugin state.
std::optional<std::int64_t> pinnedSeconds;
} // namespace

std::int64_t wallClockNow() {
    if (pinnedSeconds)
        return *pinnedSeconds;
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void pinWallClock(std::int64_t secondsSinceEpoch) {
    pinnedSeconds = secondsSinceEpoch;
}

void unpinWallClock() {
    pinnedSeconds.reset();
}
