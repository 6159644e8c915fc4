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
            {"Demos", "0"}};
}

} // namespace

TEST(RowText, ColumnsFollowByteWiseNameOrderJoinedByCommas) {
    EXPECT_EQ(
        headerLine(fullRow()),
        "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,Saves,Shots,Time,"
        "Timestamp,Win");
    EXPECT_EQ(valuesLine(fullRow()),
              "1,0,2,1234,1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1");
}

TEST(RowText, EmptyValuesKeepTheirPlaceAndASingleColumnHasNoComma) {
    EXPECT_EQ(valuesLine({{"A", ""}, {"B", "x"}, {"C", ""}}), ",x,");
    EXPECT_EQ(headerLine({{"Only", "1"}}), "Only");
    EXPECT_EQ(valuesLine({}), "");
}

TEST(SameMatch, IgnoresOnlyTheCaptureMoment) {
    MatchRow later = fullRow();
    later["Time"] = "1765141512";
    later["Timestamp"] = "21:05:12 12/07/25";
    EXPECT_TRUE(sameMatch(fullRow(), later));

    for (const char* column : {"Win", "Playlist", "MMR", "Points", "Demos", "MyTeamGoals"}) {
        MatchRow other = later;
        other[column] += "0";
        EXPECT_FALSE(sameMatch(fullRow(), other)) << column;
    }
    MatchRow missingColumn = fullRow();
    missingColumn.erase("Shots");
    EXPECT_FALSE(sameMatch(fullRow(), missingColumn));
}
