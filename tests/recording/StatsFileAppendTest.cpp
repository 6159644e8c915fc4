// Appending one row: the header only for a new file, a line of its own for every row, and a file
// left exactly as it was when an attempt fails.
#include "recording/StatsFileAppend.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const MatchRow kRow{{"Assists", "1"}, {"Playlist", "Duel"}, {"Win", "0"}};
const MatchRow kOtherRow{{"Assists", "2"}, {"Playlist", "Chaos"}, {"Win", "1"}};
// A row too long for the room the size-limit tests leave.
const MatchRow kLongRow{{"Assists", "4"}, {"Playlist", std::string(200, 'x')}, {"Win", "1"}};
const std::string kLongRowLine = "4," + std::string(200, 'x') + ",1\n";

std::string lines(std::initializer_list<std::string> texts) {
    std::string text;
    for (const std::string& line : texts)
        text += line + lineEnd();
    return text;
}

// A scratch folder, the stream the rows go through and the file they go to.
class AppendMatchRow : public testing::Test {
protected:
    bool append(const MatchRow& row) { return appendMatchRow(stream, file, row); }

    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
};

} // namespace

TEST_F(AppendMatchRow, ANewFileGetsTheHeaderThenTheRow) {
    ASSERT_TRUE(append(kRow));
    ASSERT_TRUE(append(kOtherRow));
    EXPECT_EQ(readFile(file), lines({"Assists,Playlist,Win", "1,Duel,0", "2,Chaos,1"}));
    EXPECT_FALSE(stream.is_open());
}

TEST_F(AppendMatchRow, AnEmptyFileGetsTheHeaderFirst) {
    writeFile(file, "");
    ASSERT_TRUE(append(kRow));
    ASSERT_TRUE(append(kOtherRow));
    EXPECT_EQ(readFile(file), lines({"Assists,Playlist,Win", "1,Duel,0", "2,Chaos,1"}));
}

TEST_F(AppendMatchRow, AnExistingFileKeepsItsContentAndGetsNoSecondHeader) {
    // A header that differs is left as it is: rows are only ever appended.
    writeFile(file, "Old,Header\n");
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), "Old,Header\n" + lines({"1,Duel,0"}));
}

TEST_F(AppendMatchRow, AnOpenLastLineIsEndedBeforeTheRow) {
    writeFile(file, "Assists,Playlist,Win\r\n3,Hoops,1");
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\r\n3,Hoops,1" + lines({"", "1,Duel,0"}));
}

TEST_F(AppendMatchRow, AMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(appendMatchRow(stream, folder / "gone" / "stats.csv", kRow));
    EXPECT_TRUE(fs::is_empty(folder.path()));
    // The failure does not stick to the stream.
    ASSERT_TRUE(append(kRow));
    EXPECT_EQ(readFile(file), lines({"Assists,Playlist,Win", "1,Duel,0"}));
}

TEST_F(AppendMatchRow, AFolderInTheFilesPlaceFailsAndStaysAsItIs) {
    fs::create_directory(file);
    writeFile(file / "inside.txt", "kept");
    EXPECT_FALSE(append(kRow));
    EXPECT_EQ(readFile(file / "inside.txt"), "kept");
}

#if defined(__linux__)
TEST_F(AppendMatchRow, AWriteCutShortLeavesNoHalfLineBehind) {
    const std::string before = "Assists,Playlist,Win\n1,Duel,0\n";
    writeFile(file, before);
    {
        FileSizeLimit limit(before.size() + 20);
        EXPECT_FALSE(append(kLongRow));
        EXPECT_EQ(readFile(file), before);
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), before + kLongRowLine);
}

TEST_F(AppendMatchRow, ANewFileWhoseRowDoesNotFitIsRemovedSoTheRetryWritesTheHeader) {
    {
        FileSizeLimit limit(100); // room for the header, not for the row
        EXPECT_FALSE(append(kLongRow));
        EXPECT_FALSE(fs::exists(file));
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\n" + kLongRowLine);
}

TEST_F(AppendMatchRow, AnEmptyFileWhoseRowDoesNotFitIsLeftEmptySoTheRetryWritesTheHeader) {
    writeFile(file, "");
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(append(kLongRow));
        ASSERT_TRUE(fs::is_regular_file(file)) << "a file the player made is never removed";
        EXPECT_EQ(fs::file_size(file), 0u);
    }
    ASSERT_TRUE(append(kLongRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\n" + kLongRowLine);
}

TEST_F(AppendMatchRow, AFullDiskFails) {
    fs::create_symlink("/dev/full", file);
    EXPECT_FALSE(append(kRow));
    EXPECT_TRUE(fs::is_symlink(file));
}
#endif
