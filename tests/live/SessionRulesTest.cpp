// The session as the live view counts it, on hand-made stats files: which matches belong to it, the
// streak, the record and the rating changes, as session.json and the text files show them.
#include "toolkit/SessionRules.h"
#include "live/SessionTracker.h"
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kStart = 1796000000;

StatsRow row(std::int64_t time, bool win, std::int32_t mmr = 1000,
             const std::string& playlist = "Ranked Doubles") {
    StatsRow made;
    made.time = time;
    made.win = win;
    made.mmr = mmr;
    made.playlist = playlist;
    made.ranked = mmr > 0;
    return made;
}

class SessionRules : public ::testing::Test {
protected:
    // Writes the rows, runs the program once at `now` and returns session.json.
    nlohmann::json session(const std::vector<StatsRow>& rows, std::int64_t now,
                           const std::vector<std::string>& options = {}) {
        return sessionOfText(statsFileText(rows), now, options);
    }

    nlohmann::json sessionOfText(const std::string& text, std::int64_t now,
                                 const std::vector<std::string>& options = {}) {
        writeFile(folder_ / "stats.csv", text);
        std::vector<std::string> arguments{pathToUtf8(folder_ / "stats.csv"), "--once", "--now",
                                           std::to_string(now)};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const LiveResult result = runLiveOnce(arguments, 1);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return sessionJsonIn(folder_ / "tallyglass-live");
    }

    std::string text(const std::string& name) { return readFile(folder_ / "tallyglass-live" / name); }

    TempFolder folder_;
};

TEST_F(SessionRules, ABreakOfExactlyTheGapStaysInTheSessionOneSecondMoreStartsANewOne) {
    const std::int64_t gap = kSessionGapSeconds;
    nlohmann::json json = session({row(kStart, true), row(kStart + gap, false), row(kStart + 2 * gap, true)},
                                  kStart + 2 * gap + 60);
    EXPECT_EQ(json["matches"], 3);
    EXPECT_EQ(json["sessionStart"], kStart);

    json = session({row(kStart, true), row(kStart + gap + 1, false), row(kStart + 2 * gap + 1, true)},
                   kStart + 2 * gap + 60);
    EXPECT_EQ(json["matches"], 2);
    EXPECT_EQ(json["sessionStart"], kStart + gap + 1);
    EXPECT_EQ(text("record.txt"), "1-1");

    // --session-gap overrides the rule: ten minutes.
    json = session({row(kStart, true), row(kStart + 601, false), row(kStart + 1201, true)}, kStart + 1300,
                   {"--session-gap", "10"});
    EXPECT_EQ(json["matches"], 2);
    EXPECT_EQ(json["sessionGapMinutes"], 10);
}

TEST_F(SessionRules, TheSessionIsEmptyOnceTheNewestMatchIsOlderThanTheGap) {
    const std::vector<StatsRow> rows{row(kStart, true, 1000), row(kStart + 600, true, 1010)};
    nlohmann::json json = session(rows, kStart + 600 + kSessionGapSeconds);
    EXPECT_EQ(json["matches"], 2);

    json = session(rows, kStart + 600 + kSessionGapSeconds + 1);
    EXPECT_EQ(json["matches"], 0);
    EXPECT_EQ(json["wins"], 0);
    EXPECT_TRUE(json["sessionStart"].is_null());
    EXPECT_TRUE(json["lastMatch"].is_null());
    EXPECT_TRUE(json["winRate"].is_null());
    EXPECT_EQ(json["streak"], 0);
    EXPECT_EQ(json["matchList"].size(), 0U);
    EXPECT_EQ(json["newestMatch"], kStart + 600);
    EXPECT_EQ(json["matchesRead"], 2);
    EXPECT_EQ(text("record.txt"), "0-0");
    EXPECT_EQ(text("streak.txt"), "");
    EXPECT_EQ(text("rating.txt"), "");
    EXPECT_EQ(text("rating-change.txt"), "");
    EXPECT_EQ(text("last-match.txt"), "");
}

TEST_F(SessionRules, SinceStartCountsOnlyMatchesAtOrAfterTheStartAndMeasuresRatingsFromBeforeIt) {
    const std::int64_t now = kStart + 1200;
    const nlohmann::json json = session({row(kStart, true, 1000), row(kStart + 600, true, 1010),
                                         row(now, false, 1002), row(now + 300, true, 1011)},
                                        now, {"--since-start"});
    EXPECT_EQ(json["sinceStart"], now);
    EXPECT_EQ(json["matches"], 2);
    EXPECT_EQ(json["sessionStart"], now);
    // From the rating before the first match counted, its own MMR; to the one after the last, which no
    // row tells here, so the newest rating before it stands.
    EXPECT_EQ(json["playlists"][0]["ratingBefore"], 1002);
    EXPECT_EQ(json["playlists"][0]["ratingChange"], 9);
    EXPECT_EQ(json["playlists"][0]["ratingFromBefore"], true);
    EXPECT_EQ(text("rating-change.txt"), "+9");
    EXPECT_EQ(text("record.txt"), "1-1");
}

TEST_F(SessionRules, TheMatchTablesColumnsAreNamedByTheColumnTableAndEveryMatchHoldsThem) {
    const nlohmann::json json =
        session({row(kStart, true, 1000), row(kStart + 300, false, 990)}, kStart + 600);
    const nlohmann::json& columns = json["matchColumns"];
    ASSERT_EQ(columns.size(), 5u);
    std::string names;
    for (const nlohmann::json& column : columns) {
        const std::optional<StatsColumn> keyed = columnKeyed(column["key"].get<std::string>());
        ASSERT_TRUE(keyed) << column;
        EXPECT_EQ(column["name"], std::string(columnName(*keyed)));
        names += column["name"].get<std::string>() + " ";
        for (const nlohmann::json& match : json["matchList"])
            EXPECT_TRUE(match[column["key"].get<std::string>()].is_number_integer()) << column << match;
    }
    EXPECT_EQ(names, "Points Goals Assists Saves Shots ");
}

TEST_F(SessionRules, TheStreakRunsAcrossPlaylistsInTheOrderOfTheMatchTimes) {
    // Written out of order, as a clock set back or a sorted spreadsheet leaves it; equal times keep
    // the file's order.
    const nlohmann::json json = session({row(kStart + 900, true, 1020), row(kStart, false, 1000),
                                         row(kStart + 300, true, 600, "Ranked Duel"),
                                         row(kStart + 600, true, 1010), row(kStart + 600, true, 0, "Casual")},
                                        kStart + 1000);
    EXPECT_EQ(json["matches"], 5);
    EXPECT_EQ(json["streak"], 4);
    EXPECT_EQ(text("streak.txt"), "W4");
    EXPECT_EQ(json["matchList"][0]["time"], kStart + 900);
    EXPECT_EQ(json["matchList"][1]["playlist"], "Casual");
    EXPECT_EQ(json["matchList"][2]["playlist"], "Ranked Doubles");
    EXPECT_EQ(json["matchList"][4]["win"], false);
    // Playlists in the order the session first played them.
    EXPECT_EQ(json["playlists"][0]["name"], "Ranked Doubles");
    EXPECT_EQ(json["playlists"][1]["name"], "Ranked Duel");
    EXPECT_EQ(json["playlists"][2]["name"], "Casual");
    EXPECT_EQ(json["lastPlaylist"], 0);
    EXPECT_EQ(text("last-match.txt"), "Ranked Doubles 3-1 W");

    const nlohmann::json losing =
        session({row(kStart, true), row(kStart + 60, false), row(kStart + 120, false)}, kStart + 200);
    EXPECT_EQ(losing["streak"], -2);
    EXPECT_EQ(text("streak.txt"), "L2");
}

TEST_F(SessionRules, RatingChangesCountAsTheReportCountsThem) {
    const std::int64_t later = kStart + 10 * kSessionGapSeconds;
    const nlohmann::json json =
        session({row(kStart, true, 980), row(kStart + 60, true, 990), // an earlier session
                 row(later, true, 0), row(later + 60, false, 1002), row(later + 120, true, 1013),
                 row(later + 180, true, 700, "Ranked Duel"), row(later + 240, false, 690, "Ranked Duel"),
                 row(later + 300, true, 0, "Casual"), row(later + 360, true, 0)},
                later + 400);
    const nlohmann::json& doubles = json["playlists"][0];
    // From the rating before the session's first match that tells one of its own (1002: the first row
    // was written before any rating was read) to the newest (1013); a row without a rating (MMR 0)
    // changes nothing.
    EXPECT_EQ(doubles["ratingBefore"], 1002);
    EXPECT_EQ(doubles["rating"], 1013);
    EXPECT_EQ(doubles["ratingChange"], 11);
    EXPECT_EQ(doubles["matches"], 4);
    // Without a rating before the session, from its first match's rating.
    const nlohmann::json& duel = json["playlists"][1];
    EXPECT_EQ(duel["ratingBefore"], 700);
    EXPECT_EQ(duel["ratingChange"], -10);
    // A playlist that never had a rating.
    const nlohmann::json& casual = json["playlists"][2];
    EXPECT_EQ(casual["name"], "Casual");
    EXPECT_TRUE(casual["rating"].is_null());
    EXPECT_TRUE(casual["ratingChange"].is_null());
    EXPECT_TRUE(json["matchList"][1]["rating"].is_null());
    // The last match carries no rating: the text files show the playlist's.
    EXPECT_TRUE(json["lastMatch"]["rating"].is_null());
    EXPECT_EQ(text("rating.txt"), "1013");
    EXPECT_EQ(text("rating-change.txt"), "+11");
    EXPECT_DOUBLE_EQ(json["winRate"].get<double>(), 5.0 / 7.0);

    // The last match in a playlist without rating: no rating to show.
    session({row(kStart, true, 1000), row(kStart + 60, true, 0, "Casual")}, kStart + 100);
    EXPECT_EQ(text("rating.txt"), "");
    EXPECT_EQ(text("rating-change.txt"), "");
    // A playlist with a rating from before but none in the session changed by 0.
    const nlohmann::json unchanged =
        session({row(kStart, true, 1000), row(kStart + 7200, true, 0)}, kStart + 7300);
    EXPECT_EQ(unchanged["playlists"][0]["rating"], 1000);
    EXPECT_EQ(unchanged["playlists"][0]["ratingChange"], 0);
    EXPECT_EQ(text("rating-change.txt"), "0");
}

StatsRow ratedRow(std::int64_t time, bool win, std::int32_t before, std::optional<std::int32_t> after,
                  const std::string& playlist = "Ranked Doubles") {
    StatsRow made = row(time, win, before, playlist);
    made.mmrAfter = after;
    return made;
}

// Rows holding the rating after their match: the session's last result counts at once, on the page,
// in the text files and for the overlay.
TEST_F(SessionRules, TheRatingAfterTheLastMatchCountsInTheSessionsChange) {
    const std::int64_t later = kStart + 26 * 3600;
    const nlohmann::json json =
        session({ratedRow(kStart, true, 1183, 1192), ratedRow(kStart + 600, true, 1192, 1201),
                 // The session: a loss 1201 -> 1192, then a win 1192 -> 1202.
                 ratedRow(later, false, 1201, 1192), ratedRow(later + 600, true, 1192, 1202)},
                later + 900);
    EXPECT_EQ(json["matches"], 2);
    const nlohmann::json& doubles = json["playlists"][0];
    EXPECT_EQ(doubles["rating"], 1202);
    EXPECT_EQ(doubles["ratingBefore"], 1201);
    EXPECT_EQ(doubles["ratingChange"], 1);
    EXPECT_EQ(doubles["ratingFromBefore"], false);
    EXPECT_EQ(text("rating.txt"), "1202");
    EXPECT_EQ(text("rating-change.txt"), "+1");
    EXPECT_EQ(json["lastMatch"]["rating"], 1192);
    EXPECT_EQ(json["lastMatch"]["ratingAfter"], 1202);
    EXPECT_EQ(json["matchList"][1]["ratingAfter"], 1192);
}

// A rating after that no row tells is told by the playlist's next match, in the session or before it;
// another playlist's rating never stands in for it.
TEST_F(SessionRules, ARatingAfterLeftUntoldIsToldByThePlaylistsNextMatchOnly) {
    const std::int64_t later = kStart + 26 * 3600;
    const nlohmann::json json = session(
        {ratedRow(kStart, true, 1000, std::nullopt), // its rating after: the next Doubles match's MMR
         ratedRow(later, true, 950, 962, "Ranked Duel"), ratedRow(later + 600, false, 1009, std::nullopt),
         ratedRow(later + 1200, true, 1001, std::nullopt)},
        later + 1300);
    const nlohmann::json& doubles = json["playlists"][1];
    EXPECT_EQ(doubles["name"], "Ranked Doubles");
    EXPECT_EQ(doubles["ratingBefore"], 1009);
    EXPECT_EQ(doubles["rating"], 1001);
    EXPECT_EQ(doubles["ratingChange"], -8);
    EXPECT_EQ(doubles["ratingFromBefore"], true) << "the last match's rating after is not known";
    EXPECT_EQ(json["playlists"][0]["ratingChange"], 12);
    EXPECT_EQ(json["matchList"][1]["ratingAfter"], 1001) << "told by the next Doubles match";
    EXPECT_TRUE(json["matchList"][0]["ratingAfter"].is_null());
}

TEST_F(SessionRules, LinesTheStrictRulesRefuseAreSkippedAndCounted) {
    std::string file = statsFileText({row(kStart, true), row(kStart + 60, false)});
    file += statsLine([](StatsColumn column) {
                return column == StatsColumn::Points ? std::string("12abc") : std::string("1");
            }) +
            "\n";
    file += statsRowLine(row(kStart + 3 * 86400, true)) + "\n"; // more than a day after now
    file += statsRowLine(row(900000000, true)) + "\n";          // before 2000
    file += "\n";
    const nlohmann::json json = sessionOfText(file, kStart + 100);
    EXPECT_EQ(json["matches"], 2);
    EXPECT_EQ(json["skippedLines"], 4);
    EXPECT_EQ(json["newestMatch"], kStart + 60);
}

TEST_F(SessionRules, TitlesGoIntoTheTextFilesAsPlainText) {
    session({row(kStart, false, 1000, "Rumble, \"Hoops\"\t<b>\xFF"), row(kStart + 60, true, 1000, "  ")},
            kStart + 100);
    // A blank title is no title; a tab becomes a blank, a byte that is no UTF-8 the replacement character.
    EXPECT_EQ(text("last-match.txt"), "3-1 W");
    session({row(kStart, false, 1000, "Rumble, \"Hoops\"\t<b>\xFF")}, kStart + 100);
    EXPECT_EQ(text("last-match.txt"), "Rumble, \"Hoops\" <b>\xEF\xBF\xBD 1-3 L");
}

// Matches no longer held still give what the rating rule needs of them: the newest rating, and whether
// the match after it told the rating after.
TEST(SessionTracker, MatchesNoLongerHeldStillGiveTheRatingBeforeTheSession) {
    SessionTracker tracker(kSessionGapSeconds, 3600);
    MatchRecord match;
    match.playlist = "Ranked Doubles";
    const auto feed = [&](std::int64_t time, std::int32_t rating, std::int32_t after, std::uint64_t line) {
        match.time = time;
        match.rating = rating;
        match.ratingAfter = after;
        match.line = line;
        tracker.match(match);
    };
    feed(kStart, 1000, 1010, 2);
    feed(kStart + 600, 0, 0, 3); // no rating of its own: the one after it is told by the next match
    feed(kStart + 86400, 1024, 0, 4);
    const std::optional<SessionView> view = tracker.session(kStart + 86400 + 60, std::nullopt);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->playlists.size(), 1U);
    EXPECT_EQ(view->playlists[0].ratingBefore, 1024);
    EXPECT_EQ(view->playlists[0].rating, 1024);
    EXPECT_TRUE(view->playlists[0].ratingFromBefore);
    // Without a rating of its own in the session, the playlist's rating from before stands, unchanged.
    SessionTracker older(kSessionGapSeconds, 3600);
    match.line = 2;
    match.time = kStart;
    match.rating = 1000;
    match.ratingAfter = 1010;
    older.match(match);
    match.time = kStart + 86400;
    match.rating = 0;
    match.ratingAfter = 0;
    match.line = 3;
    older.match(match);
    const std::optional<SessionView> unrated = older.session(kStart + 86400 + 60, std::nullopt);
    ASSERT_TRUE(unrated);
    EXPECT_EQ(unrated->playlists[0].rating, 1010);
    EXPECT_EQ(unrated->playlists[0].ratingChange, 0);
}

// What is held stays bounded: a session reaching back past it is worked out by reading again.
TEST(SessionTracker, ASessionLongerThanWhatIsHeldAsksForMoreAndOneShorterDoesNot) {
    SessionTracker tracker(kSessionGapSeconds, 3600);
    MatchRecord match;
    match.playlist = "Ranked Doubles";
    match.rating = 1000;
    for (int at = 0; at < 8; ++at) {
        match.time = kStart + at * 1200; // 20 minutes apart: one session of two and a half hours
        match.line = static_cast<std::uint64_t>(at + 2);
        match.win = at % 2 == 0;
        tracker.match(match);
    }
    EXPECT_FALSE(tracker.session(kStart + 8500, std::nullopt));
    // Cut at a start within what is held, it can be worked out.
    const std::optional<SessionView> cut = tracker.session(kStart + 8500, kStart + 6000);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->matches, 3U);
    // An older match far before the break: the held session no longer reaches back into it.
    SessionTracker split(kSessionGapSeconds, 3600);
    for (const std::int64_t time : {kStart, kStart + 9000, kStart + 9600}) {
        match.time = time;
        split.match(match);
    }
    const std::optional<SessionView> view = split.session(kStart + 9700, std::nullopt);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->matches, 2U);
}

} // namespace
