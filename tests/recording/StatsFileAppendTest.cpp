// Appending one row: the header only for a new file, a line of its own for every row, and a file
// left exactly as it was when an attempt fails.
#include "recording/StatsFileAppend.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

const MatchRow kRow{{"Assists", "1"}, {"Playlist", "Duel"}, {"Win", "0"}};
const MatchRow kOtherRow{{"Assists", "2"}, {"Playlist", "Chaos"}, {"Win", "1"}};

std::string lines(std::initializer_list<std::string> texts) {
    std::string text;
    for (const std::string& line : texts)
        text += line + lineEnd();
    return text;
}

} // namespace

TEST(AppendMatchRow, ANewFileGetsTheHeaderThenTheRow) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    ASSERT_TRUE(appendMatchRow(stream, file, kRow));
    ASSERT_TRUE(appendMatchRow(stream, file, kOtherRow));
    EXPECT_EQ(readFile(file), lines({"Assists,Playlist,Win", "1,Duel,0", "2,Chaos,1"}));
    EXPECT_FALSE(stream.is_open());
}

TEST(AppendMatchRow, AnEmptyFileGetsTheHeaderFirst) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    writeFile(file, "");
    ASSERT_TRUE(appendMatchRow(stream, file, kRow));
    ASSERT_TRUE(appendMatchRow(stream, file, kOtherRow));
    EXPECT_EQ(readFile(file), lines({"Assists,Playlist,Win", "1,Duel,0", "2,Chaos,1"}));
}

TEST(AppendMatchRow, AnExistingFileKeepsItsContentAndGetsNoSecondHeader) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    // A header that differs is left as it is: rows are only ever appended.
    writeFile(file, "Old,Header\n");
    ASSERT_TRUE(appendMatchRow(stream, file, kRow));
    EXPECT_EQ(readFile(file), "Old,Header\n" + lines({"1,Duel,0"}));
}

TEST(AppendMatchRow, AnOpenLastLineIsEndedBeforeTheRow) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    writeFile(file, "Assists,Playlist,Win\r\n3,Hoops,1");
    ASSERT_TRUE(appendMatchRow(stream, file, kRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\r\n3,Hoops,1" + lines({"", "1,Duel,0"}));
}

TEST(AppendMatchRow, AMissingFolderFailsAndCreatesNothing) {
    TempFolder folder;
    std::ofstream stream;
    EXPECT_FALSE(appendMatchRow(stream, folder / "gone" / "stats.csv", kRow));
    EXPECT_TRUE(fs::is_empty(folder.path()));
    // The failure does not stick to the stream.
    ASSERT_TRUE(appendMatchRow(stream, folder / "stats.csv", kRow));
    EXPECT_EQ(readFile(folder / "stats.csv"), lines({"Assists,Playlist,Win", "1,Duel,0"}));
}

TEST(AppendMatchRow, AFolderInTheFilesPlaceFailsAndStaysAsItIs) {
    TempFolder folder;
    std::ofstream stream;
    fs::create_directory(folder / "stats.csv");
    writeFile(folder / "stats.csv" / "inside.txt", "kept");
    EXPECT_FALSE(appendMatchRow(stream, folder / "stats.csv", kRow));
    EXPECT_EQ(readFile(folder / "stats.csv" / "inside.txt"), "kept");
}

#if defined(__linux__)
namespace {

// Lets this process write files only up to `bytes`; a longer write fails part-way (EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

TEST(AppendMatchRow, AWriteCutShortLeavesNoHalfLineBehind) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    const std::string before = "Assists,Playlist,Win\n1,Duel,0\n";
    writeFile(file, before);
    const MatchRow longRow{{"Assists", "4"}, {"Playlist", std::string(200, 'x')}, {"Win", "1"}};
    {
        FileSizeLimit limit(before.size() + 20);
        EXPECT_FALSE(appendMatchRow(stream, file, longRow));
        EXPECT_EQ(readFile(file), before);
    }
    ASSERT_TRUE(appendMatchRow(stream, file, longRow));
    EXPECT_EQ(readFile(file), before + "4," + std::string(200, 'x') + ",1\n");
}

TEST(AppendMatchRow, ANewFileWhoseRowDoesNotFitIsRemovedSoTheRetryWritesTheHeader) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    const MatchRow longRow{{"Assists", "4"}, {"Playlist", std::string(200, 'x')}, {"Win", "1"}};
    {
        FileSizeLimit limit(100); // room for the header, not for the row
        EXPECT_FALSE(appendMatchRow(stream, file, longRow));
        EXPECT_FALSE(fs::exists(file));
    }
    ASSERT_TRUE(appendMatchRow(stream, file, longRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\n4," + std::string(200, 'x') + ",1\n");
}

TEST(AppendMatchRow, AnEmptyFileWhoseRowDoesNotFitIsLeftEmptySoTheRetryWritesTheHeader) {
    TempFolder folder;
    std::ofstream stream;
    const fs::path file = folder / "stats.csv";
    writeFile(file, "");
    const MatchRow longRow{{"Assists", "4"}, {"Playlist", std::string(200, 'x')}, {"Win", "1"}};
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(appendMatchRow(stream, file, longRow));
        ASSERT_TRUE(fs::is_regular_file(file)) << "a file the player made is never removed";
        EXPECT_EQ(fs::file_size(file), 0u);
    }
    ASSERT_TRUE(appendMatchRow(stream, file, longRow));
    EXPECT_EQ(readFile(file), "Assists,Playlist,Win\n4," + std::string(200, 'x') + ",1\n");
}

TEST(AppendMatchRow, AFullDiskFails) {
    TempFolder folder;
    std::ofstream stream;
    fs::create_symlink("/dev/full", folder / "stats.csv");
    EXPECT_FALSE(appendMatchRow(stream, folder / "stats.csv", kRow));
    EXPECT_TRUE(fs::is_symlink(folder / "stats.csv"));
}
#endif
