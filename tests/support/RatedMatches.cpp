#include "tests/support/RatedMatches.h"

#include <cstdio>

namespace {

std::string decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

std::string ratedSessionStart(long long clock) {
    return "clock " + std::to_string(clock) + "\nload\n";
}

std::string ratedMatch(const std::string& title, int playlistId, bool win, double announcedBefore,
                       double ratingAfter, bool late) {
    std::string text =
        "wait 300\nonline title=\"" + title + "\" id=" + std::to_string(playlistId) + " ranked=1\n";
    if (announcedBefore > 0)
        text += "rating " + decimal(announcedBefore) + "\nannounce\n";
    text += std::string("local team=0\nscore ") + (win ? "3 1" : "1 3") + "\nwinner " + (win ? "0" : "1") +
            "\nstats points=400 goals=2 assists=1 saves=1 shots=4\nmatchend\n";
    const std::string announceAfter =
        ratingAfter > 0 ? "rating " + decimal(ratingAfter) + "\nannounce\n" : std::string();
    text += late ? "wait 7\n" + announceAfter + "wait 3\n" : "wait 3\n" + announceAfter + "wait 7\n";
    return text;
}
