// The figures the report computes from hand-made stats files: streaks, sessions, ratings, skipped rows,
// and files a spreadsheet or Windows shaped differently.
#include "bench/MatchHistoryGenerator.h"
#include "report/HistoryBuilder.h"
#include "report/SummaryJson.h"
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "toolkit/JsonText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr std::int64_t kStart = 1796000000;
constexpr std::int64_t kNow = kStart + 100 * 86400;

HistorySummary summaryOf(const std::string& text, std::int64_t now = kNow) {
    TempFolder folder;
    writeFile(folder / "stats.csv", text);
    return summarizeStatsFile(folder / "stats.csv", now);
}

StatsRow match(const std::string& playlist, std::int64_t minute, bool win, std::int32_t mmr = 1000) {
    StatsRow row;
    row.playlist = playlist;
    row.time = kStart + minute * 60;
    row.win = win;
    row.mmr = mmr;
    return row;
}

TEST(HistoryFigures, StreaksArePerPlaylistAndOtherPlaylistsDoNotBreakThem) {
    // Doubles: W W (duel L L) W L W W W; duel: L L W.
    const HistorySummary summary = summaryOf(statsFileText({
        match("Ranked Doubles", 0, true),
        match("Ranked Doubles", 10, true),
        match("Ranked Duel", 20, false),
        match("Ranked Duel", 30, false),
        match("Ranked Doubles", 40, true),
        match("Ranked Doubles", 50, false),
        match("Ranked Doubles", 60, true),
        match("Ranked Doubles", 70, true),
        match("Ranked Duel", 80, true),
        match("Ranked Doubles", 90, true),
    }));
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.bestWinStreak, 3);
    EXPECT_EQ(doubles.currentStreak, 3);
    EXPECT_EQ(doubles.matches, 7u);
    EXPECT_EQ(doubles.wins, 6u);
    const PlaylistSummary& duel = playlistNamed(summary, "Ranked Duel");
    EXPECT_EQ(duel.currentStreak, 1);
    EXPECT_EQ(duel.bestWinStreak, 1);
    // Across all playlists the duel losses do break the run: W W L L W L W W W W.
    EXPECT_EQ(summary.currentStreak, 4);
    EXPECT_EQ(summary.bestWinStreak, 4);

    const HistorySummary losing = summaryOf(statsFileText(
        {match("Ranked Duel", 0, true), match("Ranked Duel", 5, false), match("Ranked Duel", 9, false)}));
    EXPECT_EQ(losing.playlists.front().currentStreak, -2);
    EXPECT_EQ(losing.playlists.front().bestWinStreak, 1);
}

TEST(HistoryFigures, MoreThanThirtyMinutesApartStartsASessionExactlyThirtyDoesNot) {
    std::vector<StatsRow> rows{match("Ranked Doubles", 0, true, 1000),
                               match("Ranked Doubles", 30, true, 1010),
                               match("Ranked Doubles", 60, false, 1002)};
    rows.push_back(rows.back());
    rows.back().time += 30 * 60 + 1; // one second more than half an hour
    rows.back().mmr = 995;
    const HistorySummary summary = summaryOf(statsFileText(rows));
    ASSERT_EQ(summary.sessionCount, 2u);
    ASSERT_EQ(summary.sessions.size(), 2u);
    // Newest first.
    EXPECT_EQ(summary.sessions[0].matches, 1u);
    EXPECT_EQ(summary.sessions[0].start, rows[3].time);
    EXPECT_EQ(summary.sessions[1].matches, 3u);
    EXPECT_EQ(summary.sessions[1].start, rows[0].time);
    EXPECT_EQ(summary.sessions[1].end, rows[2].time);
    EXPECT_EQ(summary.sessions[1].wins, 2u);
    EXPECT_EQ(summary.sessions[1].losses, 1u);

    // A session's change runs from the rating before its first match to the one after its last. Rows
    // without the rating after: the next match's rating before tells it (995 for the first session);
    // the newest match's is not told yet, and its rating before stands.
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_EQ(json["sessions"][0]["ratingChange"]["Ranked Doubles"], 0);
    EXPECT_EQ(json["sessions"][1]["ratingChange"]["Ranked Doubles"], 995 - 1000);
    EXPECT_DOUBLE_EQ(json["sessions"][1]["averagePoints"].get<double>(), 300.0);
}

TEST(HistoryFigures, OnlyTheNewestFiftySessionsAreKeptAllAreCounted) {
    std::vector<StatsRow> rows;
    for (int session = 0; session < 120; ++session)
        rows.push_back(match("Ranked Doubles", session * 60, session % 2 == 0));
    const HistorySummary summary = summaryOf(statsFileText(rows));
    EXPECT_EQ(summary.sessionCount, 120u);
    ASSERT_EQ(summary.sessions.size(), kKeptSessions);
    EXPECT_EQ(summary.sessions.front().start, rows.back().time);
    EXPECT_EQ(summary.sessions.back().start, rows[120 - kKeptSessions].time);
}

TEST(HistoryFigures, APlaylistWithoutRatingHasNoneAndDrawsNoRatingSeries) {
    StatsRow casual = match("Casual", 0, true, 0);
    casual.ranked = false;
    const HistorySummary summary =
        summaryOf(statsFileText({casual, match("Ranked Duel", 5, true, 870), casual}));
    const PlaylistSummary& none = playlistNamed(summary, "Casual");
    EXPECT_FALSE(none.currentRating.has_value());
    EXPECT_FALSE(none.ranked);
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_TRUE(json["playlists"][0]["currentRating"].is_null());
    EXPECT_TRUE(json["playlists"][0]["ratingChange7Days"].is_null());
    EXPECT_EQ(json["playlists"][1]["currentRating"], 870);
    ASSERT_EQ(summary.ratingPoints.size(), 1u);
    EXPECT_EQ(summary.ratingPoints[0].rating, 870);
    EXPECT_EQ(summary.formPoints.size(), 3u);
}

TEST(HistoryFigures, RatingChangesOverSevenAndThirtyDaysCountBackFromNow) {
    const auto day = [](std::int64_t days) { return days * 24 * 60; };
    // now = day 100. Ratings: day 50: 900, day 75: 950, day 95: 980, day 99: 1000.
    const HistorySummary summary = summaryOf(statsFileText({
        match("Ranked Doubles", day(50), true, 900), match("Ranked Doubles", day(75), true, 950),
        match("Ranked Doubles", day(95), true, 980), match("Ranked Doubles", day(99), true, 1000),
        match("Ranked Duel", day(99), true, 700), // first rating inside both windows
        match("Ranked Duel", day(99) + 10, true, 712),
        match("Ranked Standard", day(10), true, 1200), // nothing in either window
    }));
    // The rating at a window's start is the one after the last match before it, which the first match
    // inside tells: 980 seven days back, 950 thirty days back.
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(*doubles.currentRating, 1000);
    EXPECT_TRUE(doubles.currentRatingFromBefore);
    EXPECT_EQ(doubles.periods[periodOf(7)].ratingChange, 1000 - 980);
    EXPECT_EQ(doubles.periods[periodOf(30)].ratingChange, 1000 - 950);
    const PlaylistSummary& duel = playlistNamed(summary, "Ranked Duel");
    EXPECT_EQ(duel.periods[periodOf(7)].ratingChange, 12);
    EXPECT_EQ(duel.periods[periodOf(30)].ratingChange, 12);
    const PlaylistSummary& standard = playlistNamed(summary, "Ranked Standard");
    EXPECT_EQ(standard.periods[periodOf(7)].ratingChange, 0);
    EXPECT_EQ(standard.periods[periodOf(30)].ratingChange, 0);
}

StatsRow ratedMatch(const std::string& playlist, std::int64_t minute, bool win, std::int32_t before,
                    std::optional<std::int32_t> after) {
    StatsRow row = match(playlist, minute, win, before);
    row.mmrAfter = after;
    return row;
}

// Rows that hold the rating after their match: the newest match's result counts at once, in the
// current rating, the session's change, the windows and the chart.
TEST(HistoryFigures, TheRatingAfterTheNewestMatchIsTheCurrentRating) {
    const HistorySummary summary = summaryOf(statsFileText({
                                                 ratedMatch("Ranked Doubles", 0, true, 1183, 1192),
                                                 ratedMatch("Ranked Duel", 10, false, 946, 937),
                                                 // A day later: a loss 1201 -> 1192, then a win 1192 -> 1202.
                                                 ratedMatch("Ranked Doubles", 24 * 60, false, 1201, 1192),
                                                 ratedMatch("Ranked Doubles", 24 * 60 + 8, true, 1192, 1202),
                                             }),
                                             kStart + 2 * 86400);
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.currentRating, 1202);
    EXPECT_FALSE(doubles.currentRatingFromBefore);
    EXPECT_EQ(doubles.periods[periodOf(7)].ratingChange, 1202 - 1183)
        << "from before the first match in the window";
    EXPECT_EQ(playlistNamed(summary, "Ranked Duel").currentRating, 937);
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_EQ(json["sessions"][0]["ratingChange"]["Ranked Doubles"], 1);
    EXPECT_EQ(json["sessions"][1]["ratingChange"]["Ranked Doubles"], 9);
    EXPECT_EQ(json["sessions"][1]["ratingChange"]["Ranked Duel"], -9);
    EXPECT_EQ(json["playlists"][0]["currentRating"], 1202);
    EXPECT_EQ(json["playlists"][0]["currentRatingFromBefore"], false);
    std::vector<std::int32_t> points;
    for (const RatingPoint& point : summary.ratingPoints)
        points.push_back(point.rating);
    EXPECT_EQ(points, (std::vector<std::int32_t>{1192, 937, 1192, 1202}));
}

// An announcement too late for its row (or an older file): the next match of the playlist tells the
// rating after, and where none follows, the newest rating before stands and says so.
TEST(HistoryFigures, ARatingAfterLeftUntoldIsToldByThePlaylistsNextMatch) {
    const HistorySummary summary = summaryOf(statsFileText({
        ratedMatch("Ranked Doubles", 0, true, 1000, std::nullopt),
        ratedMatch("Ranked Duel", 10, true, 800, 810),
        ratedMatch("Ranked Doubles", 24 * 60, true, 1011, std::nullopt),
    }));
    const PlaylistSummary& doubles = playlistNamed(summary, "Ranked Doubles");
    EXPECT_EQ(doubles.currentRating, 1011);
    EXPECT_TRUE(doubles.currentRatingFromBefore);
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_EQ(json["sessions"][1]["ratingChange"]["Ranked Doubles"], 11) << "told by the next day's match";
    EXPECT_EQ(json["sessions"][0]["ratingChange"]["Ranked Doubles"], 0);
    EXPECT_EQ(json["playlists"][0]["currentRatingFromBefore"], true);
    ASSERT_EQ(summary.ratingPoints.size(), 3u);
    EXPECT_EQ(summary.ratingPoints[0].rating, 1011);
    EXPECT_EQ(summary.ratingPoints[2].rating, 1011);
}

TEST(HistoryFigures, RowsThatDoNotConvertAreSkippedAndListedWithTheirLineAndWhy) {
    std::string text = statsFileText({match("Ranked Doubles", 0, true), match("Ranked Doubles", 5, false)});
    text += "\n";                                                           // line 4: empty
    text += "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,soon,x,1\n";         // line 5: Time
    text += "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796000600,x,2\n";   // line 6: Win
    text += "1,0,two,1183,1,3,1,Ranked Doubles,486,1,1,4,1796000600,x,1\n"; // line 7: Goals
    text += "1,0,2\n";                                                      // line 8: cut short
    text += statsFileText({match("Ranked Doubles", 20, true)}).substr(statsHeader().size() + 1); // line 9
    const HistorySummary summary = summaryOf(text);
    EXPECT_EQ(summary.matches, 3u);
    ASSERT_EQ(summary.skippedCount, 5u);
    std::vector<std::uint64_t> lines;
    for (const SkippedLine& line : summary.skipped)
        lines.push_back(line.line);
    EXPECT_EQ(lines, (std::vector<std::uint64_t>{4, 5, 6, 7, 8}));
    EXPECT_EQ(summary.skipped[0].reason, "empty line");
    EXPECT_NE(summary.skipped[1].reason.find("Time"), std::string::npos);
    EXPECT_NE(summary.skipped[2].reason.find("Win"), std::string::npos);
    EXPECT_NE(summary.skipped[3].reason.find("Goals is not a number: \"two\""), std::string::npos);
    EXPECT_FALSE(summary.skipped[4].reason.empty());
    const nlohmann::ordered_json json = summaryJson(summary, "stats.csv");
    EXPECT_EQ(json["skippedLines"], nlohmann::ordered_json::parse("[4,5,6,7,8]"));
    EXPECT_EQ(json["skippedCount"], 5);
}

TEST(HistoryFigures, NumbersOfEveryLengthReadAsWrittenWhereverTheyStandInTheLine) {
    // Points (mid-line) of 1 to 9 digits and leading zeros read as written; a cell that is more than one
    // number (a digit run followed by other bytes) or a time beyond 64 bits skips its line, with why.
    std::string text = statsHeader() + "\n";
    const auto line = [&](const std::string& mmr, const std::string& points, const std::string& time,
                          const std::string& win) {
        text += "1,0,2," + mmr + ",1,3,1,Duel," + points + ",1,1,4," + time + ",x," + win + "\n";
    };
    line("1183", "7", "1796000000", "1");
    line("1183", "0042", "1796000060", "1");
    line("1183", "123456789", "1796000120", "0");
    line("1183", "12345678", "1796000180", "1");
    line("1183", "000000001", "1796000240", "01");
    line("1183", "12:5", "1796000300", "1");
    line("1183", "12\xFF", "1796000360", "1");
    line("1183", "5", "17960004200000000000", "1");
    line("1183", "5", "99999999999999999999", "1");
    line("1000000000", "1", "1796000480", "1");
    const HistorySummary summary = summaryOf(text);
    EXPECT_EQ(summary.matches, 6u);
    EXPECT_EQ(summary.wins, 5u);
    const PlaylistSummary& duel = playlistNamed(summary, "Duel");
    EXPECT_EQ(duel.sums[0], 7 + 42 + 123456789 + 12345678 + 1 + 1);
    EXPECT_EQ(duel.currentRating, 1000000000);
    EXPECT_EQ(summary.lastMatch, 1796000480);
    ASSERT_EQ(summary.skippedCount, 4u);
    EXPECT_EQ(summary.skipped[0].line, 7u);
    EXPECT_EQ(summary.skipped[0].reason, "Points is not a number: \"12:5\"");
    EXPECT_EQ(summary.skipped[1].line, 8u);
    EXPECT_NE(summary.skipped[1].reason.find("Points is not a number"), std::string::npos);
    EXPECT_EQ(summary.skipped[2].line, 9u);
    EXPECT_NE(summary.skipped[2].reason.find("implausible time"), std::string::npos);
    EXPECT_EQ(summary.skipped[3].line, 10u);
    EXPECT_NE(summary.skipped[3].reason.find("implausible time"), std::string::npos);
}

TEST(HistoryFigures, ReorderedColumnsCrLfAndCommasInTitlesReadAlike) {
    StatsRow cup = match("Tournament, Saturday Cup", 40, true, 0);
    cup.ranked = false;
    const std::vector<StatsRow> rows{match("Ranked Doubles", 0, true, 1000),
                                     match("Ranked Duel", 10, false, 800), cup,
                                     match("Ranked Doubles", 50, false, 990)};
    const std::string written = jsonText(summaryJson(summaryOf(statsFileText(rows)), "stats.csv"));

    std::vector<StatsColumn> reversed;
    for (const StatsColumnDescription& description : kStatsColumns)
        reversed.insert(reversed.begin(), description.column);
    EXPECT_EQ(jsonText(summaryJson(summaryOf(statsFileText(rows, reversed)), "stats.csv")), written);
    EXPECT_EQ(jsonText(summaryJson(summaryOf(statsFileText(rows, {}, "\r\n")), "stats.csv")), written);
    // The playlist title last on the line, and CR LF.
    std::vector<StatsColumn> titleLast = reversed;
    std::rotate(titleLast.begin(), std::find(titleLast.begin(), titleLast.end(), StatsColumn::Playlist) + 1,
                titleLast.end());
    EXPECT_EQ(jsonText(summaryJson(summaryOf(statsFileText(rows, titleLast, "\r\n")), "stats.csv")), written);

    const HistorySummary summary = summaryOf(statsFileText(rows));
    EXPECT_EQ(playlistNamed(summary, "Tournament, Saturday Cup").matches, 1u);
    EXPECT_EQ(summary.skippedCount, 0u);
}

// ASCII text in UTF-16, little-endian or big-endian, after its byte-order mark.
std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii)
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

std::string withTabs(std::string text) {
    std::replace(text.begin(), text.end(), ',', '\t');
    return text;
}

TEST(HistoryFigures, EveryFormASpreadsheetSavesTextInReadsAlike) {
    const std::vector<StatsRow> rows{match("Ranked Doubles", 0, true, 1000),
                                     match("Ranked Duel", 10, false, 800), match("Hoops", 40, true, 0),
                                     match("Ranked Doubles", 50, false, 990)};
    const std::string written = jsonText(summaryJson(summaryOf(statsFileText(rows)), "stats.csv"));
    const std::string crLf = statsFileText(rows, {}, "\r\n");
    for (const std::string& saved :
         {statsFileText(rows, {}, "\r"), withTabs(crLf), withTabs(statsFileText(rows)),
          utf16(withTabs(crLf), false), utf16(crLf, true), utf16(statsFileText(rows, {}, "\r"), false)}) {
        const HistorySummary summary = summaryOf(saved);
        EXPECT_EQ(summary.skippedCount, 0u) << (summary.skipped.empty() ? "" : summary.skipped[0].reason);
        EXPECT_EQ(jsonText(summaryJson(summary, "stats.csv")), written);
    }
}

TEST(HistoryFigures, ASecondHeaderIsSkippedAndTheRowsAfterItReadByItsNames) {
    std::vector<StatsColumn> reversed;
    for (const StatsColumnDescription& description : kStatsColumns)
        reversed.insert(reversed.begin(), description.column);
    // A spreadsheet reordered the file; later the plugin started it anew in its own order below.
    std::string text = statsFileText({match("Ranked Doubles", 0, true, 1000)}, reversed);
    text += statsFileText({match("Ranked Doubles", 10, true, 1010)});
    const HistorySummary summary = summaryOf(text);
    EXPECT_EQ(summary.matches, 2u);
    ASSERT_EQ(summary.skippedCount, 1u);
    EXPECT_EQ(summary.skipped[0].line, 3u);
    EXPECT_EQ(summary.skipped[0].reason, "header line repeated");
    EXPECT_EQ(*summary.playlists[0].currentRating, 1010);
}

TEST(HistoryFigures, AveragesAndRatesOfAPlaylist) {
    StatsRow a = match("Ranked Doubles", 0, true);
    a.points = 400, a.goals = 2, a.assists = 1, a.saves = 0, a.shots = 5, a.demos = 1, a.mvp = true;
    StatsRow b = match("Ranked Doubles", 10, false);
    b.points = 201, b.goals = 0, b.assists = 2, b.saves = 3, b.shots = 1, b.demos = 0;
    const nlohmann::ordered_json json = summaryJson(summaryOf(statsFileText({a, b})), "stats.csv");
    const auto& playlist = json["playlists"][0];
    EXPECT_DOUBLE_EQ(playlist["averages"]["points"].get<double>(), 300.5);
    EXPECT_DOUBLE_EQ(playlist["averages"]["saves"].get<double>(), 1.5);
    EXPECT_DOUBLE_EQ(playlist["averages"]["demos"].get<double>(), 0.5);
    EXPECT_DOUBLE_EQ(playlist["winRate"].get<double>(), 0.5);
    EXPECT_DOUBLE_EQ(playlist["mvpRate"].get<double>(), 0.5);
    EXPECT_EQ(json["wins"], 1);
    EXPECT_EQ(json["losses"], 1);
}

TEST(HistoryFigures, FormIsTheRollingAverageOfTheLastTwentyMatches) {
    std::vector<StatsRow> rows;
    for (int at = 0; at < 30; ++at) {
        rows.push_back(match("Ranked Doubles", at * 8, true));
        rows.back().points = at < 20 ? 100 : 200;
        rows.back().goals = at;
    }
    const HistorySummary summary = summaryOf(statsFileText(rows));
    ASSERT_EQ(summary.formPoints.size(), 30u);
    EXPECT_DOUBLE_EQ(summary.formPoints[0].values[0], 100.0);
    EXPECT_DOUBLE_EQ(summary.formPoints[19].values[0], 100.0);
    EXPECT_DOUBLE_EQ(summary.formPoints[24].values[0], 125.0); // 15 x 100 + 5 x 200
    EXPECT_DOUBLE_EQ(summary.formPoints[29].values[1], 19.5);  // goals 10..29
}

TEST(HistoryFigures, FormStaysExactWithTheLargestAndSmallestFigures) {
    // The match leaving the window and the one entering it differ by more than a 32-bit number holds.
    std::vector<StatsRow> rows;
    for (int at = 0; at < 21; ++at) {
        rows.push_back(match("Ranked Doubles", at * 8, true));
        rows.back().points = at == 0 ? 2147483647 : at == 20 ? -2147483647 - 1 : 0;
    }
    const HistorySummary summary = summaryOf(statsFileText(rows));
    ASSERT_EQ(summary.formPoints.size(), 21u);
    EXPECT_DOUBLE_EQ(summary.formPoints[19].values[0], 107374182.35);
    EXPECT_DOUBLE_EQ(summary.formPoints[20].values[0], -107374182.4);
}

TEST(HistoryFigures, LongHistoriesAreReducedForDrawingNewestMatchesKeptWhole) {
    std::vector<StatsRow> rows;
    // 60 days of 60 matches a day, a rating that climbs by one each match.
    for (int day = 0; day < 60; ++day)
        for (int at = 0; at < 60; ++at) {
            rows.push_back(match(at % 2 ? "Ranked Doubles" : "Ranked Duel", day * 24 * 60 + at * 6, true));
            rows.back().mmr = 1000 + static_cast<std::int32_t>(rows.size());
        }
    const HistorySummary summary = summaryOf(statsFileText(rows));
    EXPECT_EQ(summary.ratingPoints.size(), kFullDetailMatches);
    EXPECT_EQ(summary.formPoints.size(), kFullDetailMatches);
    // Each point is the rating after its match, which the playlist's next match tells (two rows on);
    // the newest match's is untold, and the rating before it stands.
    EXPECT_EQ(summary.ratingPoints.back().rating, rows.back().mmr);
    EXPECT_EQ(summary.ratingPoints[summary.ratingPoints.size() - 3].rating, rows.back().mmr);
    EXPECT_EQ(summary.ratingPoints[summary.ratingPoints.size() - 2].rating, rows.back().mmr - 1);
    // The 1,600 older matches: 26 days wholly and a part of the 27th, two playlists each.
    ASSERT_EQ(summary.ratingBuckets.size(), 2u * 27);
    const RatingBucket& first = summary.ratingBuckets[0];
    EXPECT_EQ(first.first, 1003);
    EXPECT_EQ(first.lowest, 1003);
    EXPECT_EQ(first.last, 1061);
    EXPECT_EQ(first.highest, 1061);
    EXPECT_EQ(summary.ratingBuckets[1].first, 1004);
    EXPECT_EQ(summary.ratingBuckets[1].last, 1062);
    EXPECT_EQ(summary.bucketSeconds, 86400);
    EXPECT_EQ(summary.formBuckets.size(), 27u);
}

TEST(HistoryFigures, BucketsWidenSoTheirNumberStaysBounded) {
    std::vector<StatsRow> rows;
    for (int day = 0; day < 3000; ++day)
        rows.push_back(match("Ranked Doubles", day * 24 * 60, day % 3 != 0, 1000 + day % 50));
    const HistorySummary summary = summaryOf(statsFileText(rows), kStart + 3000 * 86400);
    EXPECT_LE(summary.ratingBuckets.size(), kMostBuckets);
    EXPECT_LE(summary.formBuckets.size(), kMostBuckets);
    // 1,000 days before the newest 2,000 matches: wider buckets, whole days each.
    EXPECT_GT(summary.bucketSeconds, 86400);
    EXPECT_EQ(summary.bucketSeconds % 86400, 0);
    EXPECT_GE(summary.ratingBuckets.size() * static_cast<std::size_t>(summary.bucketSeconds / 86400), 1000u);
    EXPECT_EQ(summary.ratingBuckets.front().first, 1001) << "the rating after the first match";
    EXPECT_EQ(summary.matches, 3000u);
}

TEST(HistoryFigures, AWindowsFileWithTitlesInOtherScriptsAndDamage) {
    const HistorySummary summary =
        summarizeStatsFile(std::filesystem::path(TALLYGLASS_REPORT_TEST_DATA) / "mixed-history.csv", kNow);
    EXPECT_EQ(summary.matches, 180u);
    ASSERT_EQ(summary.skippedCount, 3u);
    EXPECT_EQ(summary.skipped[0].line, 63u);
    EXPECT_NE(summary.skipped[0].reason.find("Time is not a number: \"not a time\""), std::string::npos);
    EXPECT_EQ(summary.skipped[1].line, 104u);
    EXPECT_EQ(summary.skipped[1].reason, "header line repeated");
    EXPECT_EQ(summary.skipped[2].line, 125u);
    EXPECT_EQ(summary.skipped[2].reason, "empty line");
    EXPECT_EQ(summary.playlists.size(), 5u);
    EXPECT_NO_THROW(playlistNamed(summary, "Ranglisten-Duell \xC3\x84\xC3\x96\xC3\x9C"));
    EXPECT_NO_THROW(playlistNamed(summary, "\xE6\x8E\x92\xE4\xBD\x8D \xE5\x8F\x8C\xE6\x89\x93"));
    EXPECT_NO_THROW(playlistNamed(summary, "Tournament, Saturday Cup"));
}

TEST(HistoryFigures, LinesAcrossBlocksOverlongLinesAndALastLineWithoutLineFeed) {
    // A few megabytes: lines straddle the reader's blocks.
    std::ostringstream history;
    MatchHistoryShape shape;
    shape.matches = 40000;
    shape.crlf = true;
    writeMatchHistory(history, shape);
    std::string text = history.str();
    text += std::string(100 * 1024, 'x') + "\r\n"; // damage far longer than any row
    // After the generated history, which ends at about its `end`.
    text += statsFileText({match("Ranked Doubles", 20000, true, 1234)}).substr(statsHeader().size() + 1);
    text.pop_back(); // the last line ends without its line feed
    const HistorySummary summary = summaryOf(text);
    EXPECT_EQ(summary.matches, 40001u);
    ASSERT_EQ(summary.skippedCount, 1u);
    EXPECT_EQ(summary.skipped[0].line, 40002u);
    EXPECT_EQ(summary.skipped[0].reason, "line longer than 64 KiB");
    EXPECT_EQ(*playlistNamed(summary, "Ranked Doubles").currentRating, 1234);

    TempFolder folder;
    writeFile(folder / "long-header.csv", std::string(100 * 1024, 'A') + "\n");
    EXPECT_THROW(summarizeStatsFile(folder / "long-header.csv", kNow), StatsFileError);
}

// Records the line numbers of the rows it receives, and fails on a chosen one, as a sink running out of
// memory would.
class LineRecorder final : public StatsRowSink {
public:
    explicit LineRecorder(std::uint64_t failAt)
        : failAt_(failAt) {}
    void match(const MatchRecord& match) override { receive(match.line); }
    void skipped(std::uint64_t line, const std::string&) override { receive(line); }
    std::vector<std::uint64_t> lines;

private:
    void receive(std::uint64_t line) {
        if (line == failAt_)
            throw std::runtime_error("sink failed");
        lines.push_back(line);
    }
    std::uint64_t failAt_;
};

TEST(HistoryFigures, RowsReachTheSinkInFileOrderAndItsFailureEndsTheReading) {
    // Many blocks, with lines that do not convert scattered among them.
    std::ostringstream history;
    MatchHistoryShape shape;
    shape.matches = 30000;
    writeMatchHistory(history, shape);
    std::string text = history.str();
    for (std::size_t at = text.find('\n', 100000); at != std::string::npos; at = text.find('\n', at + 150000))
        text.insert(at + 1, "damage\n");
    TempFolder folder;
    writeFile(folder / "stats.csv", text);
    const auto lineCount = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));

    LineRecorder all(0);
    readStatsRows(folder / "stats.csv", all, kNow);
    ASSERT_EQ(all.lines.size(), lineCount - 1);
    for (std::size_t index = 0; index < all.lines.size(); ++index)
        ASSERT_EQ(all.lines[index], index + 2);

    for (const std::uint64_t failAt : {std::uint64_t{2}, std::uint64_t{15000}, lineCount}) {
        LineRecorder failing(failAt);
        EXPECT_THROW(readStatsRows(folder / "stats.csv", failing, kNow), std::runtime_error);
        EXPECT_EQ(failing.lines.size(), failAt - 2);
    }
}

TEST(HistoryFigures, AllSkippedLinesAreCountedTheFirstThousandListed) {
    std::string text = statsHeader() + "\n";
    for (int line = 0; line < 1500; ++line)
        text += "damaged\n";
    const HistorySummary summary = summaryOf(text);
    EXPECT_EQ(summary.matches, 0u);
    EXPECT_EQ(summary.skippedCount, 1500u);
    ASSERT_EQ(summary.skipped.size(), kListedSkippedLines);
    EXPECT_EQ(summary.skipped.back().line, 1001u);
    EXPECT_TRUE(summary.playlists.empty());
    EXPECT_TRUE(summaryJson(summary, "stats.csv")["winRate"].is_null());
}

} // namespace
