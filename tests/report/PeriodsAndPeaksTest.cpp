// The peak rating of each playlist and the figures of the last 7, 30, 90 and 365 days, from hand-made
// files whose figures are known: at the periods' edges, in a file out of time order, and with the
// player's bands.
#include "report/HistoryBuilder.h"
#include "report/SummaryJson.h"
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::int64_t kNow = 1796600000;
constexpr std::int64_t kDay = 86400;

HistorySummary summaryOf(const std::vector<StatsRow>& rows) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(rows));
    return summarizeStatsFile(folder / "stats.csv", kNow);
}

TEST(Peaks, ThePeakIsTheHighestRatingBeforeOrAfterAMatchFirstReached) {
    const std::int64_t t = kNow - 50 * kDay;
    const HistorySummary summary = summaryOf({
        ratedRow("Ranked Doubles", t, true, 1000, 1010),
        ratedRow("Ranked Doubles", t + 600, true, 1010, 1030),   // 1030 after this match
        ratedRow("Ranked Doubles", t + 1200, false, 1030, 1020), // 1030 again, later: the first stays
        ratedRow("Ranked Doubles", t + 1800, false, 1020, 1012),
        ratedRow("Ranked Duel", t + 100, true, 800), // no rating after: the next match's before tells it
        ratedRow("Ranked Duel", t + 900, true, 815),
        ratedRow("Ranked Duel", t + 1700, false, 806),
        ratedRow("Casual", t + 2400, true, 0),
    });
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.peakRating, 1030);
    EXPECT_EQ(doubles.peakRatingTime, t + 600);
    EXPECT_EQ(doubles.currentRating, 1012);
    // 815 stood after the duel at t + 100, which the duel at t + 900 tells.
    const PlaylistSummary& duel = playlistNamed(summary, "Ranked Duel");
    EXPECT_EQ(duel.peakRating, 815);
    EXPECT_EQ(duel.peakRatingTime, t + 100);
    EXPECT_FALSE(playlistNamed(summary, "Casual").peakRating.has_value());

    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    for (const auto& playlist : json["playlists"]) {
        if (playlist["name"] == "Ranked Doubles") {
            EXPECT_EQ(playlist["peakRating"], 1030);
            EXPECT_EQ(playlist["peakRatingTime"], t + 600);
        } else if (playlist["name"] == "Casual") {
            EXPECT_TRUE(playlist["peakRating"].is_null());
            EXPECT_TRUE(playlist["peakRatingTime"].is_null());
            EXPECT_TRUE(playlist["band"].is_null());
        }
    }
}

TEST(Peaks, ThePeakIsNeverBelowTheCurrentRatingAndARatingBeforeAFirstMatchCounts) {
    const std::int64_t t = kNow - 3 * kDay;
    // Only losses: the highest rating is the one before the first match, where the history starts.
    const HistorySummary losing =
        summaryOf({ratedRow("Ranked Duel", t, false, 900), ratedRow("Ranked Duel", t + 600, false, 891),
                   ratedRow("Ranked Duel", t + 1200, false, 884, 877)});
    EXPECT_EQ(losing.playlists[0].peakRating, 900);
    EXPECT_EQ(losing.playlists[0].peakRatingTime, t);
    // A rating that only the newest match's row gives, before it, stands as current and as peak.
    const HistorySummary rising =
        summaryOf({ratedRow("Ranked Duel", t, true, 900), ratedRow("Ranked Duel", t + 600, true, 950)});
    EXPECT_EQ(rising.playlists[0].currentRating, 950);
    EXPECT_TRUE(rising.playlists[0].currentRatingFromBefore);
    EXPECT_EQ(rising.playlists[0].peakRating, 950);
    EXPECT_EQ(rising.playlists[0].peakRatingTime, t) << "950 stood after the first match";
}

TEST(Periods, AMatchExactlyThatLongAgoBelongsToTheTimeBeforeOneSecondLaterToThePeriod) {
    std::vector<StatsRow> rows;
    for (const std::int64_t days : {7, 30, 90, 365}) {
        rows.push_back(ratedRow("Ranked Doubles", kNow - days * kDay, true, 1000));      // before the period
        rows.push_back(ratedRow("Ranked Doubles", kNow - days * kDay + 1, false, 1000)); // in it
    }
    std::sort(rows.begin(), rows.end(), [](const StatsRow& a, const StatsRow& b) { return a.time < b.time; });
    const HistorySummary summary = summaryOf(rows);
    ASSERT_EQ(summary.periods.size(), 4u);
    // In the last 7 days: the loss a second after the edge. In 30: that, and the two at 30 days but the
    // match exactly at it, and so on.
    const std::uint64_t expected[][3] = {{1, 0, 1}, {3, 1, 2}, {5, 2, 3}, {7, 3, 4}};
    for (std::size_t period = 0; period < summary.periods.size(); ++period) {
        EXPECT_EQ(summary.periods[period].days, kPeriodDays[period]);
        EXPECT_EQ(summary.periods[period].matches, expected[period][0]) << kPeriodDays[period];
        EXPECT_EQ(summary.periods[period].wins, expected[period][1]) << kPeriodDays[period];
        EXPECT_EQ(summary.periods[period].losses, expected[period][2]) << kPeriodDays[period];
    }
    EXPECT_EQ(summary.matches, 8u);
}

TEST(Periods, EachPlaylistsFiguresChangeAndPeakInThePeriod) {
    const HistorySummary summary = summaryOf({
        ratedRow("Ranked Doubles", kNow - 100 * kDay, true, 1200, 1250), // the all-time peak, long ago
        ratedRow("Ranked Doubles", kNow - 10 * kDay, false, 1100, 1092),
        ratedRow("Ranked Doubles", kNow - 7 * kDay, true, 1092, 1101), // exactly 7 days back
        ratedRow("Ranked Doubles", kNow - 2 * kDay, true, 1105, 1113),
        ratedRow("Ranked Doubles", kNow - kDay, false, 1113, 1104),
        ratedRow("Ranked Duel", kNow - 40 * kDay, true, 700, 711),
        ratedRow("Casual", kNow - 3 * kDay, true, 0),
    });
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.peakRating, 1250);
    const PlaylistPeriod& week = doubles.periods[periodOf(7)];
    EXPECT_EQ(week.matches, 2u);
    EXPECT_EQ(week.wins, 1u);
    EXPECT_EQ(week.ratingChange, 1104 - 1101) << "from the rating after the match at the edge";
    EXPECT_EQ(week.peakRating, 1113);
    const PlaylistPeriod& month = doubles.periods[periodOf(30)];
    EXPECT_EQ(month.matches, 4u);
    EXPECT_EQ(month.ratingChange, 1104 - 1250) << "from the rating after the last match before the period";
    EXPECT_EQ(month.peakRating, 1113);
    EXPECT_EQ(doubles.periods[periodOf(365)].peakRating, 1250);
    EXPECT_EQ(doubles.periods[periodOf(365)].ratingChange, 1104 - 1200) << "from before its first match";
    const PlaylistSummary& duel = playlistNamed(summary, "Ranked Duel");
    EXPECT_EQ(duel.periods[periodOf(30)].matches, 0u);
    EXPECT_EQ(duel.periods[periodOf(30)].ratingChange, 0);
    EXPECT_FALSE(duel.periods[periodOf(30)].peakRating.has_value());
    EXPECT_EQ(duel.periods[periodOf(90)].ratingChange, 11);

    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    ASSERT_EQ(json["periods"].size(), 4u);
    const auto& weekJson = json["periods"][0];
    EXPECT_EQ(weekJson["days"], 7);
    EXPECT_EQ(weekJson["matches"], 3);
    EXPECT_EQ(weekJson["wins"], 2);
    EXPECT_EQ(weekJson["losses"], 1);
    EXPECT_DOUBLE_EQ(weekJson["winRate"].get<double>(), 2.0 / 3.0);
    // The playlists played in the period, in the order of the whole history's table.
    ASSERT_EQ(weekJson["playlists"].size(), 2u);
    EXPECT_EQ(
        weekJson["playlists"][0].dump(),
        R"({"name":"Ranked Doubles","matches":2,"wins":1,"losses":1,"ratingChange":3,"peakRating":1113})");
    EXPECT_EQ(weekJson["playlists"][1].dump(),
              R"({"name":"Casual","matches":1,"wins":1,"losses":0,"ratingChange":null,"peakRating":null})");
    // The changes the playlist carries are its 7- and 30-day periods'.
    EXPECT_EQ(json["playlists"][0]["ratingChange7Days"], 3);
    EXPECT_EQ(json["playlists"][0]["ratingChange30Days"], 1104 - 1250);
    EXPECT_EQ(json["periods"][1]["playlists"].size(), 2u) << "the duel 40 days back is not in 30 days";
}

TEST(Periods, AHistoryWithNothingRecentHasEmptyPeriods) {
    const HistorySummary summary = summaryOf({ratedRow("Ranked Doubles", kNow - 400 * kDay, true, 1000)});
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    for (const auto& period : json["periods"]) {
        EXPECT_EQ(period["matches"], 0);
        EXPECT_TRUE(period["winRate"].is_null());
        EXPECT_TRUE(period["playlists"].empty());
    }
}

TEST(Periods, AFileOutOfTimeOrderGivesTheSamePeriodsAndPeaks) {
    std::vector<StatsRow> rows;
    for (int at = 0; at < 400; ++at)
        rows.push_back(ratedRow(at % 3 ? "Ranked Doubles" : "Ranked Duel", kNow - (400 - at) * kDay + at * 7,
                                at % 4 != 0, 1000 + (at * 37) % 200,
                                at % 5 ? std::optional(1000 + (at * 53) % 200) : std::nullopt));
    const nlohmann::ordered_json inOrder = summaryJson(summaryOf(rows), "stats.csv");
    std::reverse(rows.begin(), rows.end());
    const nlohmann::ordered_json newestFirst = summaryJson(summaryOf(rows), "stats.csv");
    EXPECT_EQ(inOrder["periods"], newestFirst["periods"]);
    for (std::size_t at = 0; at < inOrder["playlists"].size(); ++at) {
        EXPECT_EQ(inOrder["playlists"][at]["peakRating"], newestFirst["playlists"][at]["peakRating"]);
        EXPECT_EQ(inOrder["playlists"][at]["peakRatingTime"], newestFirst["playlists"][at]["peakRatingTime"]);
    }
    EXPECT_GT(inOrder["periods"][3]["matches"], 300);
}

TEST(Bands, EachPlaylistsBandIsThatOfItsCurrentRating) {
    const RatingBands bands = RatingBands::parse(
        "Playlist,Band,From\nRanked Doubles,Gold,900\nRanked Doubles,Platinum,1100\nRanked Duel,Silver,500\n",
        "b.csv");
    const HistorySummary summary = summaryOf({
        ratedRow("Ranked Doubles", kNow - kDay, true, 1090, 1100), // exactly at Platinum's From
        ratedRow("Ranked Duel", kNow - kDay + 600, false, 480, 470),
        ratedRow("Casual", kNow - kDay + 1200, true, 0),
    });
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv", bands);
    for (const auto& playlist : json["playlists"]) {
        if (playlist["name"] == "Ranked Doubles")
            EXPECT_EQ(playlist["band"].dump(),
                      R"({"name":"Platinum","from":1100,"nextName":null,"nextFrom":null,"toNext":null})");
        else
            EXPECT_TRUE(playlist["band"].is_null()) << playlist["name"] << ": below its lowest band, or none";
    }
    const HistorySummary lower = summaryOf({ratedRow("Ranked Doubles", kNow - kDay, false, 1100, 1099)});
    EXPECT_EQ(summaryJson(lower, "stats.csv", bands)["playlists"][0]["band"]["toNext"], 1);
}

} // namespace
