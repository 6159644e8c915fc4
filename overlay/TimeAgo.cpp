// How long ago a match was played, as a short English text, by the plugin's clock and unit table.
#include "overlay/TimeAgoText.h"
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"

std::string Tallyglass::timeAgo(std::uint32_t timestamp) {
    return timeAgoText(wallClockNow(), timestamp, timeUnitSeconds);
}
