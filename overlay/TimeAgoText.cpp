#include "overlay/TimeAgoText.h"

namespace {

std::uint32_t unit(const std::array<std::int32_t, 6>& unitSeconds, std::size_t entry) {
    return static_cast<std::uint32_t>(unitSeconds[entry]);
}

// A unit of zero would divide by zero; the table never holds one, but a division must not crash.
std::uint32_t count(std::uint32_t age, std::uint32_t unitLength) {
    return unitLength == 0 ? age : age / unitLength;
}

std::string counted(std::uint32_t number, const char* suffix) {
    return std::to_string(number) + suffix;
}

} // namespace

std::uint32_t ageTimestamp(std::int64_t now, std::uint64_t time) {
    // The file holds a signed 64-bit time; one read back modulo 2^64 ("-5") is a negative one.
    const auto signedTime = static_cast<std::int64_t>(time);
    return static_cast<std::uint32_t>(signedTime > now ? now : signedTime);
}

std::string timeAgoText(std::int64_t now, std::uint32_t timestamp,
                        const std::array<std::int32_t, 6>& unitSeconds) {
    const std::uint32_t age = static_cast<std::uint32_t>(now) - timestamp;
    const std::uint32_t second = unit(unitSeconds, 0);
    const std::uint32_t minute = unit(unitSeconds, 1);
    const std::uint32_t hour = unit(unitSeconds, 2);
    const std::uint32_t day = unit(unitSeconds, 3);
    const std::uint32_t month = unit(unitSeconds, 4);
    const std::uint32_t year = unit(unitSeconds, 5);

    if (age <= second)
        return "one second ago";
    if (age < minute)
        return counted(age, " seconds ago");
    if (age < 2 * minute)
        return "a minute ago";
    if (age < hour)
        return counted(count(age, minute), " minutes ago");
    if (age < 2 * hour)
        return "an hour ago";
    if (age < day)
        return counted(count(age, hour), " hours ago");
    if (age < 2 * day)
        return "yesterday";
    if (age < month)
        return counted(count(age, day), " days ago");
    if (age < year) {
        const std::uint32_t months = count(age, month);
        return months <= 1 ? "one month ago" : counted(months, " months ago");
    }
    const std::uint32_t years = count(age, year);
    return years <= 1 ? "one year ago" : counted(years, " years ago");
}
