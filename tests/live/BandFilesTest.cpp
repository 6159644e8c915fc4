// The live view with the player's bands (--bands): band.txt and to-next-band.txt for the last match's
// playlist at the bands' edges, the band of each playlist in session.json, and a bands file that cannot
// be used, which writes nothing.
#include "tests/live/LiveTestSupport.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kNow = 1796000000;

const std::string kBands = "Playlist,Band,From\n"
                           "Ranked Doubles,Platinum II,1000\n"
                           "Ranked Doubles,Diamond I,1195\n"
                           "Ranked Duel,Gold,700\n";

class BandFiles : public ::testing::Test {
protected:
    // The live view once, of these matches, with the bands above; its exit status.
    int viewOf(const std::vector<StatsRow>& rows) {
        writeFile(folder_ / "stats.csv", statsFileText(rows));
        writeFile(folder_ / "bands.csv", kBands);
        const LiveResult run = runLiveOnce({pathToUtf8(folder_ / "stats.csv"), "--once", "--bands",
                                            pathToUtf8(folder_ / "bands.csv"), "--out", pathToUtf8(out())},
                                           kNow);
        EXPECT_EQ(run.err, "");
        return run.exitCode;
    }
    fs::path out() const { return folder_ / "live"; }
    std::string band() const { return readFile(out() / "band.txt"); }
    std::string toNext() const { return readFile(out() / "to-next-band.txt"); }

    TempFolder folder_;
};

TEST_F(BandFiles, TheLastMatchsPlaylistsBandAndThePointsToTheNext) {
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 1100, 1115)}), 0);
    EXPECT_EQ(band(), "Platinum II");
    EXPECT_EQ(toNext(), "80");
    // A rating equal to a band's From is in that band; the top band has no next.
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 1185, 1195)}), 0);
    EXPECT_EQ(band(), "Diamond I");
    EXPECT_EQ(toNext(), "");
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 1185, 1194)}), 0);
    EXPECT_EQ(band(), "Platinum II");
    EXPECT_EQ(toNext(), "1");
    // The last match's playlist counts: a duel after the doubles match.
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 1100, 1115),
                      ratedRow("Ranked Duel", kNow - 600, true, 690, 701)}),
              0);
    EXPECT_EQ(band(), "Gold");
    EXPECT_EQ(toNext(), "");
    const nlohmann::json json = sessionJsonIn(out());
    ASSERT_EQ(json["playlists"].size(), 2u);
    EXPECT_EQ(
        json["playlists"][0]["band"],
        nlohmann::json::parse(
            R"({"name":"Platinum II","from":1000,"nextName":"Diamond I","nextFrom":1195,"toNext":80})"));
    EXPECT_EQ(json["playlists"][1]["band"]["name"], "Gold");
}

TEST_F(BandFiles, EmptyWhereThereIsNone) {
    // Below the lowest band; a playlist without bands; no rating; no match in the session.
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 990, 999)}), 0);
    EXPECT_EQ(band(), "");
    EXPECT_EQ(toNext(), "");
    EXPECT_TRUE(sessionJsonIn(out())["playlists"][0]["band"].is_null());
    ASSERT_EQ(viewOf({ratedRow("Ranked Standard", kNow - 1200, true, 1300, 1310)}), 0);
    EXPECT_EQ(band(), "");
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 1200, true, 0, std::nullopt)}), 0);
    EXPECT_EQ(band(), "");
    ASSERT_EQ(viewOf({ratedRow("Ranked Doubles", kNow - 5 * 3600, true, 1100, 1115)}), 0);
    EXPECT_EQ(band(), "") << "the session is empty: its last match is hours old";
    EXPECT_EQ(toNext(), "");

    // Without --bands the files are there, empty, and every band null.
    const LiveResult plain = runLiveOnce(
        {pathToUtf8(folder_ / "stats.csv"), "--once", "--out", pathToUtf8(folder_ / "plain")}, kNow);
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(readFile(folder_ / "plain" / "band.txt"), "");
    EXPECT_EQ(readFile(folder_ / "plain" / "to-next-band.txt"), "");
}

TEST_F(BandFiles, ABandsFileThatCannotBeUsedWritesNothing) {
    writeFile(folder_ / "stats.csv",
              statsFileText({ratedRow("Ranked Doubles", kNow - 1200, true, 1100, 1115)}));
    writeFile(folder_ / "bands.csv", "Playlist,Band,From\nRanked Doubles,Gold,900\nRanked Doubles,Gold II\n");
    const std::string bands = pathToUtf8(folder_ / "bands.csv");
    for (const bool once : {true, false}) {
        std::vector<std::string> arguments{pathToUtf8(folder_ / "stats.csv"), "--bands", bands, "--out",
                                           pathToUtf8(out())};
        if (once)
            arguments.push_back("--once");
        const LiveResult run = runLiveOnce(arguments, kNow);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "tallyglass-live: " + bands +
                               ":3: 2 fields; a band's line has three: Playlist,Band,From\n");
        EXPECT_FALSE(fs::exists(out()));
    }
    const LiveResult missing = runLiveOnce({pathToUtf8(folder_ / "stats.csv"), "--bands",
                                            pathToUtf8(folder_ / "none.csv"), "--out", pathToUtf8(out())},
                                           kNow);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.ends_with("none.csv: no such file\n")) << missing.err;
    EXPECT_FALSE(fs::exists(out()));
    EXPECT_EQ(runLiveOnce({pathToUtf8(folder_ / "stats.csv"), "--bands"}, kNow).exitCode, 2);
}

} // namespace
