// The stats file changes under the plugin while the game runs: deleted or cut short between the read at
// load and the scoreboard, or another player signs in. Nothing crashes, the matches already recorded
// stay in their files, and the overlay shows the current player's matches.
#include "tests/support/FaultScenario.h"
#include "tests/support/SteppedHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

namespace {

TEST(StatsFileChangedUnderThePlugin, DeletedAfterLoadTheKeptMatchesStillShowAndTheNextMatchStartsAFile) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    writeStatsFileWithPoints(data.path(), {1101, 1102, 1103});
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);
    fs::remove(statsFile);

    host.play(kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("1103"));
    EXPECT_THAT(host.lastFrameTexts(), Contains("1101"));

    host.play(endedMatch(1104) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("1104"));
    EXPECT_EQ(readFile(statsFile).rfind(kStatsHeader, 0), 0u) << "a new file starts with its header";
    expectCleanEnd(host, statsFile, {1104});
}

TEST(StatsFileChangedUnderThePlugin, CutShortAfterLoadTheNextRowStillStartsALineOfItsOwn) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    std::vector<int> twelve;
    for (int points = 1201; points <= 1212; ++points)
        twelve.push_back(points);
    const std::string whole = statsFileWithPoints(twelve);
    writeFile(statsFile, whole);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);
    // Cut inside the header, as a crashed editor or a sync tool might leave it.
    const std::string remains = whole.substr(0, 40);
    writeFile(statsFile, remains);

    host.play(kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("1212")) << "the kept matches still show";

    host.play(endedMatch(1213) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("1213"));
    EXPECT_THAT(host.console(),
                HasSubstr("lacks the columns OtherTeamGoals, Playlist, Points, Ranked, Saves, "
                          "Shots, Time, Timestamp, Win; new rows are written in Tallyglass's "
                          "own order."));
    expectCleanEnd(host, statsFile, {1213});
    const std::string after = readFile(statsFile);
    EXPECT_EQ(after.substr(0, remains.size()), remains) << "what was left is not rewritten";
}

TEST(PlayerChange, EachPlayersMatchesGoToTheirOwnFileAndTheOverlayShowsOnlyTheCurrentPlayers) {
    TempFolder data;
    const fs::path firstFile = defaultStatsFile(data.path());
    const fs::path secondFile = data / "76561198000000002_Tallyglass.csv";
    writeFile(firstFile, statsFileWithPoints({2101, 2102}));
    HostsimResult run =
        runScenario(kLoadedInOnlineGame + endedMatch(2103) + kOpenScoreboardAndDraw +
                        "player 76561198000000002\n" + endedMatch(3101) + kOpenScoreboardAndDraw,
                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(recordedPoints(firstFile), ElementsAre(2101, 2102, 2103));
    EXPECT_EQ(readFile(secondFile).rfind(kStatsHeader, 0), 0u);
    EXPECT_THAT(recordedPoints(secondFile), ElementsAre(3101));

    EXPECT_THAT(drawnTexts(run.frame(1)), Contains("2103"));
    const std::vector<std::string> secondPlayers = drawnTexts(run.frame(2));
    EXPECT_THAT(secondPlayers, Contains("3101"));
    for (const char* earlier : {"2101", "2102", "2103"})
        EXPECT_THAT(secondPlayers, Not(Contains(earlier))) << "another player's match on screen";
    EXPECT_THAT(unexpectedConsoleLines(run.out), IsEmpty());
}

TEST(PlayerChange, AMatchStillWaitingForItsWriteGoesToThePlayerWhoPlayedIt) {
    TempFolder data;
    const fs::path firstFile = defaultStatsFile(data.path());
    const fs::path secondFile = data / "76561198000000002_Tallyglass.csv";
    HostsimResult run = runScenario(kLoadedInOnlineGame +
                                        "stats points=4101\nmatchend\nwait 2\nplayer 76561198000000002\n"
                                        "wait 10\n" +
                                        endedMatch(4201),
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(recordedPoints(firstFile), testing::ElementsAre(4101));
    EXPECT_THAT(recordedPoints(secondFile), testing::ElementsAre(4201));
    EXPECT_THAT(unexpectedConsoleLines(run.out), IsEmpty());
}

} // namespace
