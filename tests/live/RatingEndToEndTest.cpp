// The live view's rating figures for sessions hostsim plays through the real module: the change runs to
// the rating after the last match, a playlist switched to without an announcement takes its own rating,
// and an older file without the rating after still reads.
#include "tests/live/LiveTestSupport.h"
#include "tests/support/RatedMatches.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr long long kClock = 1796580000;

class RatingEndToEnd : public ::testing::Test {
protected:
    // Plays the scenario into the data folder, then runs the live view once, an hour later at most.
    nlohmann::json play(const std::string& scenario) {
        const HostsimResult run = runScenario(ratedSessionStart(kClock) + scenario, data_.path());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const LiveResult live =
            runLiveOnce({pathToUtf8(defaultStatsFile(data_.path())), "--once"}, kClock + 1800);
        EXPECT_EQ(live.exitCode, 0) << live.err;
        return sessionJsonIn(data_ / "tallyglass-live");
    }
    std::string text(const std::string& name) { return readFile(data_ / "tallyglass-live" / name); }

    TempFolder data_;
};

} // namespace

TEST_F(RatingEndToEnd, AWonLastMatchCountsWithTheRatingAfterIt) {
    const nlohmann::json json = play(ratedMatch("Ranked Doubles", 11, false, 1201, 1192) +
                                     ratedMatch("Ranked Doubles", 11, true, 0, 1202));
    const nlohmann::json& doubles = json["playlists"][0];
    EXPECT_EQ(doubles["ratingBefore"], 1201);
    EXPECT_EQ(doubles["rating"], 1202);
    EXPECT_EQ(doubles["ratingChange"], 1);
    EXPECT_EQ(text("rating.txt"), "1202");
    EXPECT_EQ(text("rating-change.txt"), "+1");
    EXPECT_EQ(json["lastMatch"]["ratingAfter"], 1202);
}

// The first match after a switch to another playlist, no announcement between: the row records that
// playlist's own rating, so no change of 250 appears from another playlist's.
TEST_F(RatingEndToEnd, APlaylistSwitchedToWithoutAnAnnouncementShowsItsOwnRating) {
    const nlohmann::json json =
        play(ratedMatch("Ranked Doubles", 11, true, 1200, 1209) + "rating playlist=10 950\n" +
             ratedMatch("Ranked Duel", 10, true, 0, 0) + ratedMatch("Ranked Duel", 10, true, 0, 0));
    const nlohmann::json& duel = json["playlists"][1];
    EXPECT_EQ(duel["name"], "Ranked Duel");
    EXPECT_EQ(duel["rating"], 950);
    EXPECT_EQ(duel["ratingChange"], 0);
    EXPECT_EQ(duel["ratingFromBefore"], true);
    EXPECT_EQ(text("rating.txt"), "950");
    EXPECT_EQ(text("rating-change.txt"), "0");
    EXPECT_EQ(json["playlists"][0]["ratingChange"], 9);
}

// An announcement after the row was written is not the rating after that match; the next match's
// rating before, which it becomes, tells it.
TEST_F(RatingEndToEnd, AnAnnouncementAfterTheSixSecondsIsToldByTheNextMatch) {
    const nlohmann::json json = play(ratedMatch("Ranked Doubles", 11, true, 1000, 1010, true) +
                                     ratedMatch("Ranked Doubles", 11, false, 0, 1003));
    const std::string file = readFile(defaultStatsFile(data_.path()));
    const std::size_t first = file.find(lineEnd()) + lineEnd().size();
    const std::string firstRow = file.substr(first, file.find(lineEnd(), first) - first);
    EXPECT_NE(firstRow.find(",1000,"), std::string::npos) << file;
    EXPECT_TRUE(firstRow.ends_with(",1,")) << file << "won, no rating after";
    EXPECT_EQ(json["matchList"][1]["ratingAfter"], 1010);
    EXPECT_EQ(json["matchList"][0]["rating"], 1010);
    EXPECT_EQ(json["playlists"][0]["ratingChange"], 3);
}

// A file the plugin wrote before the rating after was kept: rows still go in its fifteen columns and
// read back; once its header names the column, the rows carry it.
TEST_F(RatingEndToEnd, AnOlderFileIsAppendedToInItsOwnColumnsAndReadsUntilItsHeaderNamesTheNewOne) {
    StatsRow earlier;
    earlier.time = kClock - 3600;
    earlier.mmr = 1180;
    writeFile(defaultStatsFile(data_.path()), statsFileText({earlier}, requiredColumnOrder(), lineEnd()));
    nlohmann::json json = play(ratedMatch("Ranked Doubles", 11, true, 1190, 1199));
    std::string file = readFile(defaultStatsFile(data_.path()));
    EXPECT_EQ(file.find("MMRAfter"), std::string::npos) << file;
    EXPECT_NE(file.find(",1190,"), std::string::npos);
    EXPECT_EQ(json["matches"], 1);
    EXPECT_EQ(json["playlists"][0]["rating"], 1190) << "the rating before the last match stands";
    EXPECT_EQ(json["playlists"][0]["ratingFromBefore"], true);

    // The player adds the column's name to the header, as the README says.
    writeFile(defaultStatsFile(data_.path()),
              statsHeader(requiredColumnOrder()) + ",MMRAfter" + file.substr(file.find(lineEnd())));
    json = play(ratedMatch("Ranked Doubles", 11, false, 1199, 1191));
    file = readFile(defaultStatsFile(data_.path()));
    EXPECT_NE(file.find(",1199,"), std::string::npos) << "the new row's rating before";
    EXPECT_NE(file.find(",0,1191" + lineEnd()), std::string::npos) << file;
    EXPECT_EQ(json["playlists"][0]["rating"], 1191);
    EXPECT_EQ(json["playlists"][0]["ratingFromBefore"], false);
}
