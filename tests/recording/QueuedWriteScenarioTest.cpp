// Rows wait in order for their write, survive a failed write and an unload, and a repeated event
// records one match.
#include "tests/recording/RecordingScenario.h"
#include "tests/support/ExclusiveFileHold.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;
using testing::Not;

namespace {

// kLostMatch as the second match, ending three seconds after kLoadedAfterWonMatch's match.
const std::string kSecondMatchRow = "0,0,1,0,0,1,4,Ranked Doubles,95,1,0,2,1765141512,21:05:12 12/07/25,0,";

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

TEST(QueuedWrites, TwoMatchesEndingWithinSixSecondsAreBothWrittenInOrder) {
    TempFolder data;
    HostsimResult run =
        runScenario(kLoadedAfterWonMatch + "matchend\nwait 3\n" + kLostMatch + "wait 6\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(scheduledWrites(run), 2);
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow(), kSecondMatchRow}));
}

TEST(QueuedWrites, ARepeatedEventForAMatchStillToBeWrittenIsRecordedOnce) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(matchend
wait 2
matchend
wait 4
clock 1765141600
matchend
wait 6
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The third event comes after the first row was written: an equal result is a match of its own.
    EXPECT_EQ(scheduledWrites(run), 2);
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader, wonMatchRow(),
                         "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141600,21:06:40 12/07/25,1,"}));
}

TEST(QueuedWrites, RowsThatCannotBeWrittenWaitAndGoFirstAtTheNextWrite) {
    TempFolder data;
    // The data folder the host reports is missing for two matches, then it is the real one again.
    HostsimResult run = runScenario("datafolder missing\n" + kLoadedAfterWonMatch + "matchend\nwait 3\n" +
                                        kLostMatch + R"(wait 6
datafolder .
clock 1765141600
online title="Casual Standard"
matchend
wait 6
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader, wonMatchRow(), kSecondMatchRow,
                         "0,0,1,0,0,1,4,Casual Standard,95,1,0,2,1765141600,21:06:40 12/07/25,0,"}));
    EXPECT_FALSE(std::filesystem::exists(data / "missing"));
    // One line when rows start waiting, one when they are written.
    EXPECT_EQ(countOf(run.out, "Tallyglass: could not write the match result to "), 1) << run.out;
    EXPECT_THAT(run.out,
                HasSubstr("76561198000000001_Tallyglass.csv (folder missing, disk full, or the file open in "
                          "another program?). It is kept and will be written after the next match, or when "
                          "the plugin unloads.\n"));
    EXPECT_EQ(countOf(run.out, "Tallyglass: the match results that were waiting have been written to "), 1);
    EXPECT_LT(run.out.find("could not write"), run.out.find("have been written"));
}

TEST(QueuedWrites, AWriteStillPendingAtUnloadIsDoneThen) {
    for (const char* ending : {"unload\nwait 10\n", ""}) {
        TempFolder data;
        HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 5\n" + ending, data.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow()})) << ending;
        EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n");
    }
}

TEST(QueuedWrites, RowsThatStillCannotBeWrittenAtUnloadAreReportedLost) {
    TempFolder data;
    HostsimResult run = runScenario("datafolder missing\n" + kLoadedAfterWonMatch + "matchend\nwait 6\n" +
                                        kLostMatch + "unload\n",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run), "<absent>");
    EXPECT_THAT(
        run.out,
        HasSubstr("Tallyglass: 2 recorded match(es) could not be written to the stats file and are lost.\n"));
    EXPECT_THAT(run.out, Not(HasSubstr("have been written")));
    EXPECT_EQ(countOf(run.out, "could not write the match result"), 1) << run.out;
}

TEST(QueuedWrites, ARowFirstFailingAtUnloadIsReportedLostWithoutAPromiseToRetry) {
    TempFolder data;
    HostsimResult run =
        runScenario("datafolder missing\n" + kLoadedAfterWonMatch + "matchend\nunload\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "--- > Tallyglass V1.1 Plugin loaded! < ---\nTallyglass: 1 recorded match(es) could not be "
              "written to the stats file and are lost.\n");
}

#if defined(_WIN32)
TEST(QueuedWrites, AFileHeldExclusivelyByAnotherProgramIsLeftAlone) {
    TempFolder data;
    const std::string before = fileLines({kHeader, wonMatchRow("1500")});
    writeFile(defaultStatsFile(data.path()), before);
    ExclusiveFileHold held(defaultStatsFile(data.path()));
    ASSERT_TRUE(held.held());
    HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    held.release();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(defaultStatsFile(data.path())), before);
    EXPECT_THAT(run.out, HasSubstr("Tallyglass: could not write the match result to "));
    EXPECT_THAT(run.out, HasSubstr("1 recorded match(es) could not be written"));
}
#endif
