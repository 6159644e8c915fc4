// One player's stats file cannot take rows (another account's file that this one may not write, say)
// while another player's can: the rows of the writable file are written when they fall due, each
// file's rows stay in their order, the console tells each file's trouble and recovery by its own name,
// and only rows that never found their file are reported lost.
#include "tests/support/FaultScenario.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SteppedHost.h"
#include "tests/support/TestText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

namespace {

const std::string kSecondPlayer = "76561198000000002";

fs::path secondPlayersFile(const fs::path& dataFolder) {
    return dataFolder / (kSecondPlayer + "_Tallyglass.csv");
}

// The console lines after the load banner; a line naming a stats file is cut down to its beginning
// and the file's name, so that the checks read the same whatever the data folder's path.
std::vector<std::string> recorderNotes(const std::string& console) {
    std::vector<std::string> notes;
    for (const std::string& line : linesOf(console)) {
        if (line.rfind("--- >", 0) == 0)
            continue;
        const std::size_t to = line.find(" to ");
        const std::size_t end = line.rfind(".csv");
        if (to == std::string::npos || end == std::string::npos || end < to)
            notes.push_back(line);
        else {
            // The file's name starts after the last folder separator; the temporary data folder's own
            // name is random and may hold any digits, so the name is never searched for by its content.
            const std::size_t name = line.find_last_of("/\\", end) + 1;
            notes.push_back(line.substr(0, to + 4) + line.substr(name, end + 4 - name));
        }
    }
    return notes;
}

const std::string kCouldNotWrite = "Tallyglass: could not write the match result to ";
const std::string kWritten = "Tallyglass: the match results that were waiting have been written to ";
const std::string kFirstFileName = "76561198000000001_Tallyglass.csv";
const std::string kSecondFileName = kSecondPlayer + "_Tallyglass.csv";

} // namespace

TEST(BlockedStatsFile, AnotherPlayersRowsAreWrittenAndShownWhileOneFileCannotTakeItsRow) {
    TempFolder data;
    // A folder where the first player's file should be: it takes no row for the whole session.
    fs::create_directory(defaultStatsFile(data.path()));
    HostsimResult run =
        runScenario(kLoadedInOnlineGame + endedMatch(5101) + "player " + kSecondPlayer + "\n" +
                        endedMatch(5201) + kOpenScoreboardAndDraw + endedMatch(5202) + kOpenScoreboardAndDraw,
                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_directory(defaultStatsFile(data.path())));
    EXPECT_THAT(recordedPoints(secondPlayersFile(data.path())), ElementsAre(5201, 5202));
    EXPECT_THAT(drawnTexts(run.frame(1)), Contains("5201")) << "the second player's match shows at once";
    EXPECT_THAT(drawnTexts(run.frame(2)), Contains("5202"));
    EXPECT_THAT(recorderNotes(run.out),
                ElementsAre(kCouldNotWrite + kFirstFileName,
                            "Tallyglass: 1 recorded match(es) could not be written to the stats file and are "
                            "lost."));
}

TEST(BlockedStatsFile, EachFileTellsItsOwnTroubleAndRecoveryAndKeepsItsOrder) {
    TempFolder data;
    const fs::path firstFile = defaultStatsFile(data.path());
    const fs::path secondFile = secondPlayersFile(data.path());
    fs::create_directory(firstFile);
    fs::create_directory(secondFile);
    SteppedHost host(data.path());

    host.play(kLoadedInOnlineGame + endedMatch(5301));
    host.play("player " + kSecondPlayer + "\n" + endedMatch(5401));
    EXPECT_THAT(recorderNotes(host.console()),
                ElementsAre(kCouldNotWrite + kFirstFileName, kCouldNotWrite + kSecondFileName))
        << "a failure for another file gets a line of its own";

    // The first file comes free while the second player plays on: its row goes where it belongs.
    fs::remove(firstFile);
    host.play(endedMatch(5402));
    EXPECT_THAT(recordedPoints(firstFile), ElementsAre(5301));
    EXPECT_FALSE(fs::is_regular_file(secondFile));

    fs::remove(secondFile);
    host.play(endedMatch(5403) + "scoreboard open\nframe\n");
    EXPECT_THAT(host.lastFrameTexts(), Contains("5403"));
    EXPECT_THAT(host.lastFrameTexts(), Contains("5401"));
    host.finish();
    EXPECT_EQ(host.escapedException(), "");
    EXPECT_THAT(recordedPoints(firstFile), ElementsAre(5301));
    EXPECT_THAT(recordedPoints(secondFile), ElementsAre(5401, 5402, 5403)) << "in the order they were played";
    EXPECT_THAT(recorderNotes(host.console()),
                ElementsAre(kCouldNotWrite + kFirstFileName, kCouldNotWrite + kSecondFileName,
                            kWritten + kFirstFileName, kWritten + kSecondFileName));
}

TEST(BlockedStatsFile, TheRecoveryLineNamesTheFileTheWaitingRowsWentTo) {
    TempFolder data;
    const fs::path firstFile = defaultStatsFile(data.path());
    fs::create_directory(firstFile);
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame + endedMatch(5501));

    fs::remove(firstFile);
    host.play("player " + kSecondPlayer + "\n" + endedMatch(5601));
    expectCleanEnd(host, firstFile, {5501});
    EXPECT_THAT(recordedPoints(secondPlayersFile(data.path())), ElementsAre(5601));
    EXPECT_THAT(recorderNotes(host.console()),
                ElementsAre(kCouldNotWrite + kFirstFileName, kWritten + kFirstFileName));
}

TEST(BlockedStatsFile, AtUnloadTheWritableFilesGetTheirRowsAndOnlyTheRestAreLost) {
    TempFolder data;
    const fs::path firstFile = defaultStatsFile(data.path());
    fs::create_directory(firstFile);
    // Both players' matches end within the six seconds, so every row is still waiting at unload.
    HostsimResult run =
        runScenario(kLoadedInOnlineGame + "stats points=5701\nmatchend\nwait 1\nplayer " + kSecondPlayer +
                        "\nstats points=5801\nmatchend\nwait 1\nplayer "
                        "76561198000000001\nstats points=5702\nmatchend\nunload\n",
                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(recordedPoints(secondPlayersFile(data.path())), ElementsAre(5801));
    EXPECT_THAT(run.out, HasSubstr("Tallyglass: 2 recorded match(es) could not be written to the stats file "
                                   "and are lost.\n"));
    EXPECT_THAT(run.out, Not(HasSubstr(kWritten)));
}

#if defined(__linux__)
// The disk has room for a short row but not for a long one ahead of it (here the process's file size
// limit, which acts on a regular file as a full disk does): the short row must not overtake the long
// one, or the file's matches would stand out of order.
TEST(BlockedStatsFile, AShorterRowNeverOvertakesAWaitingRowOfItsOwnFile) {
    TempFolder data;
    const fs::path statsFile = defaultStatsFile(data.path());
    const std::string before = writeStatsFileWithPoints(data.path(), {5901});
    SteppedHost host(data.path());
    host.play(kLoadedInOnlineGame);

    FileSizeLimit limit(before.size() + 150); // a short row fits, the long one not
    ASSERT_TRUE(limit.applied());
    host.play("online title=\"" + std::string(300, 'L') + "\"\nstats points=5902\nmatchend\nwait 1\n" +
              "online title=\"Duel\"\nstats points=5903\nmatchend\nwait 6\n");
    const std::string during = readFile(statsFile);
    ASSERT_TRUE(limit.lift());
    EXPECT_EQ(during, before) << "nothing is written while the older row does not fit";

    host.play(endedMatch(5904));
    expectCleanEnd(host, statsFile, {5901, 5902, 5903, 5904});
}
#endif
