// Which finished matches are recorded, and what their rows say.
#include "tests/recording/RecordingScenario.h"

#include <gtest/gtest.h>

TEST(MatchCapture, LosersOnTeamZeroScoreAgainstTeamOne) {
    EXPECT_EQ(statsFileAfterMatch("local team=0\nscore 1 4"),
              fileLines({kHeader, "1,1,2,0,1,1,4,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,0,"}));
}

TEST(MatchCapture, ExtremeFiguresAndFlagsAreWrittenAsTheHostGivesThem) {
    EXPECT_EQ(
        statsFileAfterMatch("online ranked=4294967295\n"
                            "stats points=-2147483648 goals=2147483647 assists=-1 mvp=4294967295"),
        fileLines({kHeader, "-1,1,2147483647,0,4294967295,3,2,Ranked Doubles,-2147483648,4294967295,3,5,"
                            "1765141509,21:05:09 12/07/25,1,"}));
}

TEST(MatchCapture, TheMomentOfTheMatchEndIsKeptAcrossMidnightAndTheNewYear) {
    EXPECT_EQ(statsFileAfterMatch("clock 946684799"),
              fileLines({kHeader, "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,946684799,23:59:59 12/31/99,1,"}));
}

TEST(MatchCapture, MatchesAreRecordedWhileTheOverlayIsSwitchedOff) {
    EXPECT_EQ(statsFileAfterMatch("console tallyglass_stop"), fileLines({kHeader, wonMatchRow()}));
}

TEST(MatchCapture, ATeamAmongMoreThanTwoScoresAgainstTeamZero) {
    EXPECT_EQ(statsFileAfterMatch("local team=2\nscore 5 1 7\nwinner 2"),
              fileLines({kHeader, "1,1,2,0,1,7,5,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1,"}));
}

struct SkippedMatch {
    const char* name;
    const char* scenarioLines;
};

class SkippedMatches : public testing::TestWithParam<SkippedMatch> {};

TEST_P(SkippedMatches, WriteNothingAndScheduleNothing) {
    TempFolder data;
    HostsimResult run =
        runScenario(kLoadedAfterWonMatch + GetParam().scenarioLines + "\nmatchend\nwait 10\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(scheduledWrites(run), 0);
    EXPECT_EQ(statsFileText(run), "<absent>");
    EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n");
}

INSTANTIATE_TEST_SUITE_P(
    MatchCapture, SkippedMatches,
    testing::Values(SkippedMatch{"PrivateMatch", "online private=1"},
                    SkippedMatch{"LanMatch", "online lan=1"}, SkippedMatch{"Offline", "offline"},
                    SkippedMatch{"NoWinner", "winner none"}, SkippedMatch{"NoLocalPlayer", "local none"},
                    SkippedMatch{"NoReplicationInfo", "local nopri"},
                    SkippedMatch{"Spectator", "local team=255"},
                    SkippedMatch{"OneTeamOnly", "score 3\nwinner 0"},
                    SkippedMatch{"TeamZeroWithoutOpponents", "local team=0\nscore 3\nwinner 0"}),
    [](const testing::TestParamInfo<SkippedMatch>& param) { return std::string(param.param.name); });
