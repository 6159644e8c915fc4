// The writer's timing and its recovery when the stats file comes back between two host steps.
#include "tests/recording/RecordingScenario.h"
#include "tests/support/ExclusiveFileHold.h"
#include "tests/support/InProcessHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

const std::string kLaterRow = "1,1,2,0,1,3,2,Ranked Doubles,300,1,3,5,1765141516,21:05:16 12/07/25,1,";

// Ends the first match while the stats file cannot be written, then a second one after it can
// again (set up by `repair`): both rows must arrive in order, with one console line each way.
template <class Repair>
void expectRowWaitsUntil(const fs::path& folder, const fs::path& statsFile, Repair repair) {
    InProcessHost host = hostAfterWonMatch(folder);
    host.endMatch();
    host.wait(7);
    ASSERT_EQ(host.console().size(), 2u);
    EXPECT_THAT(host.console()[1], HasSubstr("could not write the match result to "));

    repair();
    host.world().game.figures.points = 300;
    host.endMatch();
    host.wait(7);
    EXPECT_EQ(readFile(statsFile), fileLines({kHeader, wonMatchRow(), kLaterRow}));
    ASSERT_EQ(host.console().size(), 3u);
    EXPECT_THAT(host.console()[2], HasSubstr("the match results that were waiting have been written to "));
}

} // namespace

TEST(QueuedWritesInProcess, TheRowIsWrittenSixSecondsAfterTheMatchEnd) {
    TempFolder data;
    InProcessHost host = hostAfterWonMatch(data.path());
    host.endMatch();
    host.wait(5.9);
    EXPECT_FALSE(fs::exists(defaultStatsFile(data.path())));
    host.wait(0.1);
    EXPECT_EQ(readFile(defaultStatsFile(data.path())), fileLines({kHeader, wonMatchRow()}));
}

TEST(QueuedWritesInProcess, ASkippedMatchLeavesTheLastRowUntouched) {
    TempFolder data;
    InProcessHost host = hostAfterWonMatch(data.path());
    host.endMatch();
    const auto captured = host.plugin().matchRow;
    ASSERT_EQ(captured.size(), kStatsColumnCount);
    EXPECT_EQ(captured.at("Win"), "1");

    host.world().game.figures.points = 999;
    host.world().game.playlist.privateMatch = true;
    host.endMatch();
    host.world().game.playlist.privateMatch = false;
    host.world().game.localTeam = 7;
    host.endMatch();
    EXPECT_EQ(host.plugin().matchRow, captured);
    EXPECT_EQ(host.world().pendingTimerCount(), 1);
}

TEST(QueuedWritesInProcess, AMissingFolderCreatedLaterGetsTheWaitingRowFirst) {
    TempFolder data;
    const fs::path folder = data / "not yet";
    expectRowWaitsUntil(folder, defaultStatsFile(folder), [&] { fs::create_directory(folder); });
}

TEST(QueuedWritesInProcess, AStatsPathTakenByAFolderIsWrittenOnceItIsFree) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    fs::create_directory(statsFile);
    expectRowWaitsUntil(data.path(), statsFile, [&] { fs::remove(statsFile); });
}

#if defined(__linux__)
TEST(QueuedWritesInProcess, AFullDiskKeepsTheRowUntilThereIsRoom) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    fs::create_symlink("/dev/full", statsFile);
    expectRowWaitsUntil(data.path(), statsFile, [&] { fs::remove(statsFile); });
}
#endif

#if defined(_WIN32)
TEST(QueuedWritesInProcess, AFileHeldByAnotherProgramIsWrittenOnceReleased) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    writeFile(statsFile, "");
    ExclusiveFileHold held(statsFile);
    ASSERT_TRUE(held.held());
    InProcessHost host = hostAfterWonMatch(data.path());
    host.endMatch();
    host.wait(7);
    held.release();
    host.world().game.figures.points = 300;
    host.endMatch();
    host.wait(7);
    // The file existed but was empty, so the rows come after a header.
    EXPECT_EQ(readFile(statsFile), fileLines({kHeader, wonMatchRow(), kLaterRow}));
    EXPECT_EQ(host.console().size(), 3u);
}
#endif

TEST(QueuedWritesInProcess, ATimerLeftWithTheHostNeverRunsAgainstTheGoneObject) {
    TempFolder data;
    InProcessHost host = hostAfterWonMatch(data.path());
    host.endMatch();
    host.release(false);
    ASSERT_EQ(host.world().pendingTimerCount(), 1);
    // The row was written when the object went; the task that falls due later does nothing.
    EXPECT_EQ(readFile(defaultStatsFile(data.path())), fileLines({kHeader, wonMatchRow()}));
    host.wait(10);
    EXPECT_EQ(readFile(defaultStatsFile(data.path())), fileLines({kHeader, wonMatchRow()}));
}

TEST(QueuedWritesInProcess, FinishingWithoutHostPointersIsSafe) {
    { Tallyglass neverLoaded; }

    TempFolder data;
    InProcessHost host = hostAfterWonMatch(data.path());
    host.endMatch();
    host.plugin().gameWrapper.reset();
    host.release();
    EXPECT_FALSE(fs::exists(defaultStatsFile(data.path())));
    EXPECT_THAT(host.console(),
                ElementsAre("--- > Tallyglass V1.1 Plugin loaded! < ---",
                            "Tallyglass: 1 recorded match(es) could not be written to the stats "
                            "file and are lost."));

    TempFolder silent;
    InProcessHost quiet = hostAfterWonMatch(silent.path());
    quiet.endMatch();
    quiet.plugin().gameWrapper.reset();
    quiet.plugin().cvarManager.reset();
    quiet.release();
    EXPECT_THAT(quiet.console(), ElementsAre("--- > Tallyglass V1.1 Plugin loaded! < ---"));
    EXPECT_TRUE(fs::is_empty(silent.path()));
}

TEST(QueuedWritesInProcess, AnEqualResultAfterAFailedWriteIsANewMatchNotARepeat) {
    TempFolder data;
    const fs::path folder = data / "not yet";
    InProcessHost host = hostAfterWonMatch(folder);
    host.endMatch();
    host.wait(7);
    fs::create_directory(folder);
    host.endMatch();
    host.wait(7);
    EXPECT_EQ(readFile(defaultStatsFile(folder)),
              fileLines({kHeader, wonMatchRow(),
                         "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141516,21:05:16 12/07/25,1,"}));
}
