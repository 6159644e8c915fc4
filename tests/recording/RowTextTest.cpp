#include "recording/RowText.h"

#include <gtest/gtest.h>

namespace {

MatchRow fullRow() {
    return {{"Win", "1"},
            {"Playlist", "Ranked Doubles"},
            {"MyTeamGoals", "3"},
            {"OtherTeamGoals", "2"},
            {"Ranked", "1"},
            {"MMR", "1234"},
            {"Timestamp", "21:05:09 12/07/25"},
            {"Time", "1765141509"},
            {"MVP", "1"},
            {"Points", "420"},
            {"Goals", "2"},
            {"Assists", "1"},
            {"Saves", "3"},
            {"Shots", "5"},
            {"Demos", "0"},
            {"MMRAfter", "1250"}};
}

} // namespace

TEST(RowText, ANewFileHasTheColumnsInByteWiseNameOrderJoinedByCommas) {
    EXPECT_EQ(
        writtenHeaderLine(),
        "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,Time,"
        "Timestamp,Win,MMRAfter");
    EXPECT_EQ(rowLine(columnValues(fullRow()), writtenLayout()),
              "1,0,2,1234,1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1,1250");
}

TEST(RowText, AColumnTheRowLacksIsAnEmptyFieldAndOtherNamesAreNotWritten) {
    const MatchRow partial{{"Assists", "4"}, {"Playlist", "Duel"}, {"Win", "1"}, {"Notes", "ignored"}};
    EXPECT_EQ(rowLine(columnValues(partial), writtenLayout()), "4,,,,,,,Duel,,,,,,,1,");
}

// A repeated match-ended event gives the moment anew, and after the announcement it reads the new
// rating as the one before the match and has none after it yet.
TEST(SameMatch, IgnoresOnlyTheCaptureMomentAndTheRatings) {
    MatchRow later = fullRow();
    later["Time"] = "1765141512";
    later["Timestamp"] = "21:05:12 12/07/25";
    later["MMR"] = "1250";
    later["MMRAfter"] = "";
    EXPECT_TRUE(sameMatch(fullRow(), later));

    for (const char* column : {"Win", "Playlist", "Ranked", "Points", "Demos", "MyTeamGoals"}) {
        MatchRow other = later;
        other[column] += "0";
        EXPECT_FALSE(sameMatch(fullRow(), other)) << column;
    }
    MatchRow missingColumn = fullRow();
    missingColumn.erase("Shots");
    EXPECT_FALSE(sameMatch(fullRow(), missingColumn));
}
