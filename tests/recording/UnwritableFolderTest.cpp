// The data folder or the stats file cannot take a row: the game goes on, the overlay still draws, the
// row waits in the plugin, and it is written once the fault clears.
#include "tests/support/ExclusiveFileHold.h"
#include "tests/support/FaultScenario.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SteppedHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TEST(UnwritableDataFolder, AMissingFolderKeepsTheRowUntilTheHostReportsOneThatExists) {
    TempFolder data;
    HostsimResult run = runScenario("datafolder missing\n" + kLoadedInOnlineGame + endedMatch(101) +
                                        kOpenScoreboardAndDraw + "datafolder .\n" + endedMatch(102),
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(fs::exists(data / "missing")) << "the plugin must not create the host's folders";
    EXPECT_THAT(drawnTexts(run.frame(1)), Contains("Playlist")) << "the overlay draws regardless";
    EXPECT_THAT(recordedPoints(defaultStatsFile(data.path())), ElementsAre(101, 102));
    EXPECT_THAT(unexpectedConsoleLines(run.out), IsEmpty());
}

TEST(UnwritableDataFolder, AFolderThatAppearsBeforeUnloadGetsTheWaitingRowAtUnload) {
    TempFolder data;
    SteppedHost host(data.path());
    host.play("datafolder missing\n" + kLoadedInOnlineGame + endedMatch(201));
    ASSERT_FALSE(fs::exists(data / "missing"));
    fs::create_directory(data / "missing");
    expectCleanEnd(host, defaultStatsFile(data / "missing"), {201});
}

// Tests run as root, where permissions do not stop a write; a data folder that is a regular file does.
TEST(UnwritableDataFolder, AFolderThatIsARegularFileIsLeftAloneAndTheRowWaitsForTheFolder) {
    TempFolder data;
    writeFile(data / "blocked", "not a folder");
    SteppedHost host(data.path());
    host.play("datafolder blocked\n" + kLoadedInOnlineGame + endedMatch(301) + kOpenScoreboardAndDraw);
    EXPECT_EQ(readFile(data / "blocked"), "not a folder");
    EXPECT_THAT(host.lastFrameTexts(), Contains("Playlist"));

    fs::remove(data / "blocked");
    fs::create_directory(data / "blocked");
    host.play(endedMatch(302));
    expectCleanEnd(host, defaultStatsFile(data / "blocked"), {301, 302});
}

TEST(UnwritableStatsFile, AStatsFileThatIsADirectoryIsLeftAloneAndTheRowWaitsUntilItGoes) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    fs::create_directory(statsFile);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + endedMatch(401) + kOpenScoreboardAndDraw);
    EXPECT_TRUE(fs::is_directory(statsFile));
    EXPECT_THAT(host.lastFrameTexts(), Contains("Playlist"));

    fs::remove(statsFile);
    host.play(endedMatch(402) + "scoreboard open\nframe\n");
    EXPECT_THAT(host.lastFrameTexts(), Contains("402"));
    expectCleanEnd(host, statsFile, {401, 402});
}

#if defined(__linux__)
// /dev/full takes the open and fails every write with "no space left on device"; read, it never ends.
TEST(UnwritableStatsFile, AFullDiskKeepsTheRowUntilSpaceReturns) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    writeStatsFileWithPoints(data.path(), {7701, 7702});
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);

    fs::rename(statsFile, data / "kept.csv");
    fs::create_symlink("/dev/full", statsFile);
    host.play(endedMatch(501) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("7702")) << "the matches read before still show";

    fs::remove(statsFile);
    fs::rename(data / "kept.csv", statsFile);
    host.play(endedMatch(502) + "scoreboard open\nframe\n");
    EXPECT_THAT(host.lastFrameTexts(), Contains("502"));
    expectCleanEnd(host, statsFile, {7701, 7702, 501, 502});
}

// The disk fills up in the middle of a row: writes beyond a size limit fail (here the process's file
// size limit, which acts on a regular file just as a full disk does). The half-written row is cut away
// again, so the file holds no broken line, and the row is written whole once there is room.
TEST(UnwritableStatsFile, ARowTheDiskCannotHoldIsCutAwayAndWrittenWholeOnceThereIsRoom) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    const std::string before = writeStatsFileWithPoints(data.path(), {7701, 7702});
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);

    FileSizeLimit limit(before.size() + 20); // room for a part of the row only
    ASSERT_TRUE(limit.applied());
    host.play(endedMatch(901));
    ASSERT_TRUE(limit.lift());
    ASSERT_NE(host.console().find("could not write"), std::string::npos) << "the limit stopped no write";
    EXPECT_EQ(readFile(statsFile), before) << "no part of the row is left behind";

    host.play(endedMatch(902) + "scoreboard open\nframe\n");
    EXPECT_THAT(host.lastFrameTexts(), Contains("902"));
    expectCleanEnd(host, statsFile, {7701, 7702, 901, 902});
    EXPECT_EQ(readFile(statsFile).substr(0, before.size()), before);
}

// A link to /dev/null takes every write and keeps nothing: a row "written" there would be lost.
TEST(UnwritableStatsFile, ALinkToADeviceThatKeepsNothingDoesNotSwallowTheRow) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    fs::create_symlink("/dev/null", statsFile);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + endedMatch(801) + kOpenScoreboardAndDraw);

    fs::remove(statsFile);
    host.play(endedMatch(802));
    expectCleanEnd(host, statsFile, {801, 802});
}

// A named pipe in the stats file's place: opening it, to read or to append, would wait for another
// program forever and hang the game with it.
TEST(UnwritableStatsFile, ANamedPipeInTheFilesPlaceIsNeitherReadNorWrittenAndTheRowWaits) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    ASSERT_EQ(mkfifo(statsFile.c_str(), 0600), 0);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + endedMatch(701) + kOpenScoreboardAndDraw);
    EXPECT_THAT(host.lastFrameTexts(), Contains("Playlist"));

    fs::remove(statsFile);
    host.play(endedMatch(702));
    expectCleanEnd(host, statsFile, {701, 702});
}
#endif

#if defined(_WIN32)
TEST(UnwritableStatsFile, AFileHeldExclusivelyByAnotherProgramGetsTheRowOnceReleased) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    const std::string before = writeStatsFileWithPoints(data.path(), {7701, 7702});
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);

    ExclusiveFileHold held(statsFile);
    ASSERT_TRUE(held.held());
    host.play(endedMatch(601) + kOpenScoreboardAndDraw);
    held.release();
    EXPECT_EQ(readFile(statsFile), before);
    EXPECT_THAT(host.lastFrameTexts(), Contains("7702"));

    host.play(endedMatch(602));
    expectCleanEnd(host, statsFile, {7701, 7702, 601, 602});
}
#endif

} // namespace
