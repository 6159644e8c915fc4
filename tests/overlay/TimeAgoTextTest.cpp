// The age texts at every threshold, the wrap-around of a future timestamp, and the unit table being
// read at each call.
#include "overlay/TimeAgoText.h"
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr std::array<std::int32_t, 6> kUnits{1, 60, 3600, 86400, 2592000, 31536000};
constexpr std::int64_t kNow = 1733600000;

std::string textForAge(std::uint32_t age) {
    return timeAgoText(kNow, static_cast<std::uint32_t>(kNow) - age, kUnits);
}

} // namespace

TEST(TimeAgoText, EveryThresholdOfTheTable) {
    const std::vector<std::pair<std::uint32_t, std::string>> table = {
        {0, "one second ago"},       {1, "one second ago"},          {2, "2 seconds ago"},
        {59, "59 seconds ago"},      {60, "a minute ago"},           {119, "a minute ago"},
        {120, "2 minutes ago"},      {3599, "59 minutes ago"},       {3600, "an hour ago"},
        {7199, "an hour ago"},       {7200, "2 hours ago"},          {86399, "23 hours ago"},
        {86400, "yesterday"},        {172799, "yesterday"},          {172800, "2 days ago"},
        {2591999, "29 days ago"},    {2592000, "one month ago"},     {5183999, "one month ago"},
        {5184000, "2 months ago"},   {31103999, "11 months ago"},    {31104000, "12 months ago"},
        {31535999, "12 months ago"}, {31536000, "one year ago"},     {63071999, "one year ago"},
        {63072000, "2 years ago"},   {4294967295u, "136 years ago"},
    };
    for (const auto& [age, text] : table)
        EXPECT_EQ(textForAge(age), text) << "age " << age;
}

TEST(TimeAgoText, ATimestampInTheFutureWrapsToAGreatAge) {
    EXPECT_EQ(timeAgoText(kNow, static_cast<std::uint32_t>(kNow + 1), kUnits), "136 years ago");
    // Only the low 32 bits of the clock meet the timestamp: past 2106 the count starts over.
    const std::int64_t after2106 = (std::int64_t{1} << 32) + 100;
    EXPECT_EQ(timeAgoText(after2106, 40, kUnits), "a minute ago");
}

TEST(TimeAgo, ReadsTheClockAndTheUnitTableAtEachCall) {
    Tallyglass plugin;
    pinWallClock(kNow);
    EXPECT_EQ(plugin.timeAgo(static_cast<std::uint32_t>(kNow - 90)), "a minute ago");
    plugin.timeUnitSeconds[1] = 100; // a 100-second "minute": 90 seconds are still seconds
    EXPECT_EQ(plugin.timeAgo(static_cast<std::uint32_t>(kNow - 90)), "90 seconds ago");
    pinWallClock(kNow + 3600);
    EXPECT_EQ(plugin.timeAgo(static_cast<std::uint32_t>(kNow - 90)), "an hour ago");
    unpinWallClock();
}
