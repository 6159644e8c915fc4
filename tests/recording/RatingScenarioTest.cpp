// The skill ratings a row carries: the one before the match, the local player's in the match's own
// playlist, and the one the host announces after it, before the row is written.
#include "tests/recording/RecordingScenario.h"

#include <gtest/gtest.h>

TEST(RatingInRow, IsTruncatedTowardZero) {
    EXPECT_EQ(statsFileAfterMatch("rating 1234.99\nannounce"), fileLines({kHeader, wonMatchRow("1234")}));
    EXPECT_EQ(statsFileAfterMatch("rating -0.5\nannounce"), fileLines({kHeader, wonMatchRow("0")}));
    EXPECT_EQ(statsFileAfterMatch("rating -1234.99\nannounce"), fileLines({kHeader, wonMatchRow("-1234")}));
}

TEST(RatingInRow, IsZeroUntilARatingIsAnnounced) {
    EXPECT_EQ(statsFileAfterMatch("rating 1500"), fileLines({kHeader, wonMatchRow("0")}));
}

TEST(RatingInRow, IsHeldAtTheIntegerRangeForAnAbsurdRating) {
    EXPECT_EQ(statsFileAfterMatch("rating 1e12\nannounce"), fileLines({kHeader, wonMatchRow("2147483647")}));
    EXPECT_EQ(statsFileAfterMatch("rating -1e12\nannounce"),
              fileLines({kHeader, wonMatchRow("-2147483648")}));
}

TEST(RatingInRow, IsTheLocalPlayersForTheRunningPlaylistWhoeverTheAnnouncementNames) {
    EXPECT_EQ(
        statsFileAfterMatch("rating playlist=13 1700\nrating playlist=11 900\nannounce 76561198000000999"),
        fileLines({kHeader, wonMatchRow("900")}));
}

TEST(RatingInRow, AnnouncementsFromGamesThatAreNotRecordedAreIgnored) {
    for (const char* unrecorded : {"online private=1", "online lan=1", "offline"}) {
        const std::string lines = std::string("rating 1000\nannounce\n") + unrecorded +
                                  "\nrating 2000\nannounce\nonline private=0 lan=0\nrating 3000";
        EXPECT_EQ(statsFileAfterMatch(lines), fileLines({kHeader, wonMatchRow("1000")})) << unrecorded;
    }
}

// A rating read in another playlist is not this match's: the row asks the host for the rating in its
// own playlist, as an announcement would.
TEST(RatingInRow, AMatchInAnotherPlaylistThanTheLastReadingTakesItsOwnPlaylistsRating) {
    EXPECT_EQ(statsFileAfterMatch("rating 1200\nannounce\nonline id=13 title=\"Ranked Doubles\"\nrating 950"),
              fileLines({kHeader, wonMatchRow("950")}));
    // Read in playlist 13, the match in playlist 11: the rating of 11, never the 1700 of 13.
    EXPECT_EQ(statsFileAfterMatch("online id=13\nrating 1700\nannounce\nonline id=11\nrating 1234"),
              fileLines({kHeader, wonMatchRow("1234")}));
}

TEST(RatingInRow, ASecondPlayerNeverGetsTheFirstPlayersRating) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(rating 1200
announce
matchend
wait 6
player 76561198000000002
rating 850
matchend
wait 6
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow("1200")}));
    EXPECT_EQ(
        readFile(data / "76561198000000002_Tallyglass.csv"),
        fileLines({kHeader, "1,1,2,850,1,3,2,Ranked Doubles,420,1,3,5,1765141515,21:05:15 12/07/25,1,"}));
}

// The host announces the new rating a few seconds after the match: an announcement before the row is
// written is the rating after the match; one after it is the next row's rating before its match.
TEST(RatingInRow, AnAnnouncementWithinTheSixSecondsIsTheRatingAfterTheMatch) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(rating 1000
announce
matchend
wait 2
rating 1090
announce
wait 1
rating 1100.7
announce
wait 3
clock 1765141600
matchend
wait 6.5
rating 1111
announce
wait 1
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader, wonMatchRow("1000", "1100"),
                         "1,1,2,1100,1,3,2,Ranked Doubles,420,1,3,5,1765141600,21:06:40 12/07/25,1,"}));
}

TEST(RatingInRow, AnAnnouncementInAnotherPlaylistIsNotTheRatingAfterTheMatch) {
    EXPECT_EQ(
        statsFileAfterMatch("rating 1000\nannounce\nmatchend\nwait 2\nonline id=13\nrating 700\nannounce"
                            "\nonline id=11"),
        // The match ends twice here: the second event repeats the first match, which is one match.
        fileLines({kHeader, wonMatchRow("1000")}));
}

// A repeated match-ended event after the announcement is still the same match, recorded once.
TEST(RatingInRow, ARepeatedMatchEndAfterTheAnnouncementIsOneMatchWithItsRatingAfter) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(rating 1000
announce
matchend
wait 2
rating 1010
announce
wait 1
matchend
wait 6
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(scheduledWrites(run), 1);
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow("1000", "1010")}));
}
