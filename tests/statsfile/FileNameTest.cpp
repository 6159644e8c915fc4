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

TEST(FileName, ARescueFileNamesItsPlayerAndIsNoStatsFileByName) {
    EXPECT_EQ(rescueFileName("76561198000000001"), "76561198000000001_Tallyglass_rescued.csv");
    for (const std::string id : {"76561198000000001", "Epic|abc_def", "J\xc3\xb6rg"}) {
        EXPECT_EQ(playerIdOfRescueFileName(rescueFileName(id)), id);
        EXPECT_EQ(playerIdOfStatsFileName(rescueFileName(id)), std::nullopt);
        EXPECT_EQ(playerIdOfRescueFileName(statsFileName(id)), std::nullopt);
    }
    for (const char* name : {"_Tallyglass_rescued.csv", "123_Tallyglass_rescued (1).csv", "123_rescued.csv"})
        EXPECT_EQ(playerIdOfRescueFileName(name), std::nullopt) << name;
}

// One fixed name per player beside the stats file, starting with the id and "_Tallyglass", ending in .csv.
TEST(FileName, TheRescueFileStandsBesideTheStatsFileUnderOneNamePerPlayer) {
    const std::filesystem::path folder = std::filesystem::path("data") / "folder";
    EXPECT_EQ(rescueFileFor(folder / statsFileName("76561198000000001")),
              folder / "76561198000000001_Tallyglass_rescued.csv");
    EXPECT_EQ(rescueFileFor(folder / statsFileName("Epic|abc")), folder / rescueFileName("Epic|abc"));
}

// Either of a player's files in the data folder, and nothing else: no renamed copy, no other end.
TEST(FileName, TheStatsFileAndTheRescueFileAreThePlayersAccountFiles) {
    for (const std::string id : {"76561198000000001", "Epic|abc_def", "J\xc3\xb6rg"}) {
        EXPECT_EQ(playerIdOfAccountFileName(statsFileName(id)), id);
        EXPECT_EQ(playerIdOfAccountFileName(rescueFileName(id)), id);
        EXPECT_EQ(playerIdOfAccountFileName(id + "_Tallyglass (1).csv"), std::nullopt);
    }
    for (const char* name :
         {"_Tallyglass.csv", "_Tallyglass_rescued.csv", "Tallyglass.csv", "123_Tallyglass.CSV",
          "123_Tallyglass.csv.bak", "123.csv", "123_tallyglass.csv", ""})
        EXPECT_EQ(playerIdOfAccountFileName(name), std::nullopt) << name;
}

} // namespace
