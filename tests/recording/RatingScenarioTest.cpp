// The skill rating a row carries: the local player's, as last announced from a recordable game.
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
    EXPECT_EQ(statsFileAfterMatch("rating 1700 playlist=13\nonline id=13\nannounce\nonline id=11"),
              fileLines({kHeader, wonMatchRow("1700")}));
}

TEST(RatingInRow, AnnouncementsFromGamesThatAreNotRecordedAreIgnored) {
    for (const char* unrecorded : {"online private=1", "online lan=1", "offline"}) {
        const std::string lines = std::string("rating 1000\nannounce\n") + unrecorded +
                                  "\nrating 2000\nannounce\nonline private=0 lan=0\nrating 3000";
        EXPECT_EQ(statsFileAfterMatch(lines), fileLines({kHeader, wonMatchRow("1000")})) << unrecorded;
    }
}

TEST(RatingInRow, IsFixedWhenTheMatchEndsAndTheNextAnnouncementReachesTheNextRow) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(rating 1000
announce
matchend
wait 3
rating 1100
announce
wait 3
clock 1765141600
matchend
wait 6
)",
                                    data.path());
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader, wonMatchRow("1000"),
                         "1,1,2,1100,1,3,2,Ranked Doubles,420,1,3,5,1765141600,21:06:40 12/07/25,1"}));
}

TEST(RatingInRow, CarriesTheLastRatingIntoANewPlaylistWithoutAnnouncement) {
    EXPECT_EQ(
        statsFileAfterMatch("rating 1000\nannounce\nonline id=13 title=\"Ranked Doubles\"\nrating 1500"),
        fileLines({kHeader, wonMatchRow("1000")}));
}
