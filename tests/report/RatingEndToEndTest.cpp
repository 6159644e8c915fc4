// The report's rating figures for sessions hostsim plays through the real module: the current rating and
// the session's change include the last match, a playlist switched to without an announcement starts at
// its own rating, and an older file without the rating after still reads.
#include "report/HistoryBuilder.h"
#include "report/SummaryJson.h"
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/RatedMatches.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr long long kClock = 1796580000;

HistorySummary played(const TempFolder& data, const std::string& scenario) {
    const HostsimResult run = runScenario(ratedSessionStart(kClock) + scenario, data.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return summarizeStatsFile(defaultStatsFile(data.path()), kClock + 3600);
}

} // namespace

TEST(RatingEndToEnd, TheCurrentRatingAndTheSessionsChangeIncludeTheLastMatch) {
    TempFolder data;
    const HistorySummary summary = played(
        data, ratedMatch("Ranked Doubles", 11, true, 1183, 1192) +
                  ratedMatch("Ranked Doubles", 11, false, 0, 1184) + "rating playlist=10 950\n" +
                  ratedMatch("Ranked Duel", 10, true, 0, 0) + ratedMatch("Ranked Duel", 10, true, 0, 0) +
                  ratedMatch("Ranked Doubles", 11, true, 1184, 1193));
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.currentRating, 1193);
    EXPECT_FALSE(doubles.currentRatingFromBefore);
    EXPECT_EQ(doubles.periods[periodOf(7)].ratingChange, 1193 - 1183);
    // The switch to Duel without an announcement: its own rating, never Doubles' 1184.
    const PlaylistSummary& duel = playlistNamed(summary, "Ranked Duel");
    EXPECT_EQ(duel.currentRating, 950);
    EXPECT_TRUE(duel.currentRatingFromBefore);
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    ASSERT_EQ(json["sessions"].size(), 1U);
    EXPECT_EQ(json["sessions"][0]["ratingChange"]["Ranked Doubles"], 10);
    EXPECT_EQ(json["sessions"][0]["ratingChange"]["Ranked Duel"], 0);
    std::vector<std::int32_t> duelPoints;
    const auto duelIndex = static_cast<std::uint32_t>(&duel - summary.playlists.data());
    for (const RatingPoint& point : summary.ratingPoints)
        if (point.playlist == duelIndex)
            duelPoints.push_back(point.rating);
    EXPECT_EQ(duelPoints, (std::vector<std::int32_t>{950, 950}));
}

TEST(RatingEndToEnd, AnOlderFileAppendedToStillReadsItsRatingsByTheNextMatch) {
    TempFolder data;
    StatsRow earlier;
    earlier.time = kClock - 7200;
    earlier.mmr = 1170;
    StatsRow later = earlier;
    later.time += 600;
    later.mmr = 1178;
    writeFile(defaultStatsFile(data.path()),
              statsFileText({earlier, later}, requiredColumnOrder(), lineEnd()));
    const HistorySummary summary = played(data, ratedMatch("Ranked Doubles", 11, true, 1186, 1195));
    EXPECT_EQ(summary.matches, 3U);
    EXPECT_EQ(summary.skippedCount, 0U);
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.currentRating, 1186) << "the file has no column for the rating after";
    EXPECT_TRUE(doubles.currentRatingFromBefore);
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_EQ(json["sessions"][1]["ratingChange"]["Ranked Doubles"], 1186 - 1170);
}
