// Files whose lines are not in time order, as a spreadsheet's sorting, two joined files or a wrong clock
// leave them: every figure comes out as from the file in time order, and the report says how many
// matches were out of place.
#include "bench/MatchHistoryGenerator.h"
#include "report/HistoryBuilder.h"
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr std::int64_t kNow = 1796600000;

// A generated year: times rising, every one different, sessions of several playlists.
std::vector<std::string> yearLines() {
    std::ostringstream history;
    MatchHistoryShape shape;
    shape.matches = 2500;
    shape.end = kNow - 3600;
    writeMatchHistory(history, shape);
    return linesOf(history.str());
}

struct Reported {
    ReportRun run;
    nlohmann::json json;
};

Reported reportOf(const TempFolder& folder, const std::string& name, const std::string& text) {
    writeFile(folder / (name + ".csv"), text);
    Reported reported;
    reported.run = report({pathToUtf8(folder / (name + ".csv")), "--json",
                           pathToUtf8(folder / (name + ".json")), "--now", std::to_string(kNow)});
    if (reported.run.status == 0)
        reported.json = nlohmann::json::parse(readFile(folder / (name + ".json")));
    return reported;
}

// The figures alone: the keys that name the file or describe its order set aside.
nlohmann::json figures(nlohmann::json json) {
    for (const char* key : {"file", "outOfPlace", "firstOutOfPlaceLine"})
        json.erase(key);
    return json;
}

TEST(TimeOrder, ANewestFirstCopyGivesTheFiguresOfTheOriginal) {
    TempFolder folder;
    const std::vector<std::string> lines = yearLines();
    std::vector<std::string> newestFirst = lines;
    std::reverse(newestFirst.begin() + 1, newestFirst.end());
    const Reported original = reportOf(folder, "original", joinedLines(lines));
    const Reported reversed = reportOf(folder, "reversed", joinedLines(newestFirst));
    ASSERT_EQ(original.run.status, 0) << original.run.err;
    ASSERT_EQ(reversed.run.status, 0) << reversed.run.err;
    // Current ratings, streaks, 7- and 30-day changes, sessions (the latest 50 of them), form, charts.
    EXPECT_EQ(figures(reversed.json), figures(original.json));
    EXPECT_GT(original.json["sessionCount"].get<int>(), 50);
    EXPECT_NE(original.json["playlists"][0]["ratingChange7Days"], 0);

    EXPECT_EQ(original.json["outOfPlace"], 0);
    EXPECT_TRUE(original.json["firstOutOfPlaceLine"].is_null());
    EXPECT_FALSE(contains(original.run.out, "not in time order"));
    // Every match but the first read is earlier than the one above it.
    EXPECT_EQ(reversed.json["outOfPlace"], 2499);
    EXPECT_EQ(reversed.json["firstOutOfPlaceLine"], 3);
    EXPECT_TRUE(contains(reversed.run.out, "The lines are not in time order: 2,499 matches are out of place "
                                           "(each earlier than a match on a line above it; the first on "
                                           "line 3)."))
        << reversed.run.out;
    EXPECT_EQ(pageData(readFile(folder / "reversed.html"))["outOfPlace"], 2499);
}

TEST(TimeOrder, APlaylistSortedCopyHasTheSameSessions) {
    TempFolder folder;
    const std::vector<std::string> lines = yearLines();
    std::vector<std::string> byPlaylist = lines;
    const std::size_t playlistField = static_cast<std::size_t>(StatsColumn::Playlist);
    const auto playlistOf = [&](const std::string& line) {
        std::size_t start = 0;
        for (std::size_t field = 0; field < playlistField; ++field)
            start = line.find(',', start) + 1;
        return line.substr(start, line.find(',', start) - start);
    };
    std::stable_sort(
        byPlaylist.begin() + 1, byPlaylist.end(),
        [&](const std::string& a, const std::string& b) { return playlistOf(a) < playlistOf(b); });
    ASSERT_NE(byPlaylist, lines);
    const Reported original = reportOf(folder, "original", joinedLines(lines));
    const Reported sorted = reportOf(folder, "sorted", joinedLines(byPlaylist));
    ASSERT_EQ(sorted.run.status, 0) << sorted.run.err;
    EXPECT_EQ(sorted.json["sessionCount"], original.json["sessionCount"]);
    EXPECT_EQ(sorted.json["sessions"], original.json["sessions"]);
    EXPECT_EQ(figures(sorted.json), figures(original.json));
    EXPECT_GT(sorted.json["outOfPlace"].get<int>(), 0);
}

StatsRow at(std::int64_t minute, std::int32_t mmr, bool win = true) {
    StatsRow row;
    row.time = kNow - 86400 + minute * 60;
    row.mmr = mmr;
    row.win = win;
    return row;
}

TEST(TimeOrder, FiveMatchesStampedByAClockAnHourBehindAddNoSession) {
    // Played every ten minutes; the clock was an hour behind for the last five. In file order the jump
    // back would look like a break of 50 minutes.
    std::vector<StatsRow> rows;
    for (int match = 0; match < 10; ++match)
        rows.push_back(at(match * 10 - (match >= 5 ? 60 : 0), 1000 + match));
    const HistorySummary summary = [&] {
        TempFolder folder;
        writeFile(folder / "stats.csv", statsFileText(rows));
        return summarizeStatsFile(folder / "stats.csv", kNow);
    }();
    EXPECT_EQ(summary.sessionCount, 1u);
    EXPECT_EQ(summary.fileOrder.outOfPlace, 5u);
    EXPECT_EQ(summary.fileOrder.firstOutOfPlaceLine, 7u);
    // The newest by time is the fifth line's match; the first by time the sixth's.
    EXPECT_EQ(summary.playlists[0].currentRating, 1004);
    EXPECT_EQ(summary.firstMatch, rows[5].time);
    ASSERT_EQ(summary.sessions.size(), 1u);
    EXPECT_EQ(summary.sessions[0].start, rows[5].time);
    EXPECT_EQ(summary.sessions[0].end, rows[4].time);
    EXPECT_EQ(summary.sessions[0].matches, 10u);
}

TEST(TimeOrder, MatchesAtTheSameTimeKeepTheirFileOrder) {
    // In order, and out of order (which the report sorts): the later line of two at one time is newer.
    for (const bool shuffled : {false, true}) {
        std::vector<StatsRow> rows{at(0, 990), at(10, 1010, false), at(10, 1020, true)};
        if (shuffled)
            rows.insert(rows.begin() + 1, at(-30, 980));
        TempFolder folder;
        writeFile(folder / "stats.csv", statsFileText(rows));
        const HistorySummary summary = summarizeStatsFile(folder / "stats.csv", kNow);
        EXPECT_EQ(summary.fileOrder.outOfPlace, shuffled ? 1u : 0u);
        EXPECT_EQ(summary.playlists[0].currentRating, 1020) << shuffled;
        EXPECT_EQ(summary.currentStreak, 1) << shuffled;
    }
}

} // namespace
