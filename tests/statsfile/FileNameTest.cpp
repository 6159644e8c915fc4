#include "statsfile/FileName.h"

#include <gtest/gtest.h>

namespace {

TEST(FileName, APlayerIdNamesItsFileAndTheNameGivesItBack) {
    EXPECT_EQ(statsFileName("76561198000000001"), "76561198000000001_Tallyglass.csv");
    for (const std::string id : {"76561198000000001", "Epic|abc_def", "J\xc3\xb6rg"})
        EXPECT_EQ(playerIdOfStatsFileName(statsFileName(id)), id);
}

TEST(FileName, ANameOfAnotherShapeNamesNoPlayer) {
    for (const char* name : {"_Tallyglass.csv", "Tallyglass.csv", "123_Tallyglass.CSV",
                             "123_Tallyglass (1).csv", "123_Tallyglass.csv.bak", "123.csv", ""})
        EXPECT_EQ(playerIdOfStatsFileName(name), std::nullopt) << name;
}

// The files of a player's beside the stats file: the stats file itself, the rescue file, a copy.
TEST(FileName, AFileNamedLikeAStatsFileWithMoreBeforeItsEndIsThatPlayersToo) {
    for (const std::string id : {"76561198000000001", "Epic|abc_def", "J\xc3\xb6rg"}) {
        EXPECT_EQ(playerIdOfAccountFileName(statsFileName(id)), id);
        EXPECT_EQ(playerIdOfAccountFileName(id + "_Tallyglass_rescued.csv"), id);
        EXPECT_EQ(playerIdOfAccountFileName(id + "_Tallyglass (1).csv"), id);
    }
    for (const char* name :
         {"_Tallyglass.csv", "_Tallyglass_rescued.csv", "Tallyglass.csv", "123_Tallyglass.CSV",
          "123_Tallyglass.csv.bak", "123.csv", "123_tallyglass.csv", ""})
        EXPECT_EQ(playerIdOfAccountFileName(name), std::nullopt) << name;
}

} // namespace
