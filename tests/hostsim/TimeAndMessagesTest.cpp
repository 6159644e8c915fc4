// The host's time stays exact however it is advanced, times the plugin cannot hold are refused, and
// hostsim's messages say why and show bad input safely.
#include "hostcore/World.h"
#include "tests/hostsim/ScenarioRefusal.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

// A won match whose row is written on the plugin's timer, 6 seconds after its end.
const char* const kMatch = "load\nonline\nscore 3 1\nwinner 0\nstats points=777\nmatchend\n";

} // namespace

TEST(HostTime, SixtyWaitsOfATenthReachAWriteDueInSixSecondsAsOneWaitOfSixDoes) {
    for (const std::string& waits : {std::string("wait 6\n"), repeated("wait 0.1\n", 60)}) {
        TempFolder data;
        // The data folder changes once the waits are over: a row written on time lands in the first one.
        HostsimResult result = runScenario(
            "clock 1796400000\n" + std::string(kMatch) + waits + "datafolder later\nunload\n", data.path());
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::string stats = readFile(defaultStatsFile(data.path()));
        EXPECT_TRUE(contains(stats, ",777,")) << "the row was not written at its due time: " << stats;
    }
}

TEST(HostTime, TheClockMovesByTheExactSumOfTheWaits) {
    TempFolder data;
    HostsimResult result =
        runScenario("clock 1796400000\n" + repeated("wait 0.1\n", 60) + kMatch + "wait 6\n", data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(readFile(defaultStatsFile(data.path())), ",1796400006,"))
        << readFile(defaultStatsFile(data.path()));
}

TEST(HostTime, TimersCountWholeMicroseconds) {
    auto world = hostcore::World::create();
    int ran = 0;
    world->addTimer([&](GameWrapper*) { ++ran; }, 6.0);
    for (int i = 0; i < 59; ++i)
        world->advanceTime(0.1);
    EXPECT_EQ(ran, 0);
    world->advanceTime(std::chrono::microseconds(99999));
    EXPECT_EQ(ran, 0) << "one microsecond early";
    world->advanceTime(std::chrono::microseconds(1));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(world->elapsed(), std::chrono::seconds(6));
}

TEST(HostTime, ClocksAndWaitsThePluginCannotHoldAreRefusedByLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"clock -1\n", ":1: clock: the clock must not be negative"},
        {"clock 253402300800\n", ":1: clock: the clock must be at most 253402300799"},
        {"clock 1e300\n", ":1: clock: the clock must be at most"},
        {"clock nan\n", ":1: clock: the clock must be a decimal number of seconds, not 'nan'"},
        {"wait inf\n", ":1: wait: the wait must be a decimal number of seconds, not 'inf'"},
        {"wait -0.5\n", ":1: wait: the wait must not be negative"},
        {"load\nclock 253402300000\nwait 700\nwait 100\n", ":4: wait: the wait takes the clock past the end"},
    };
    for (const auto& [scenario, message] : cases)
        expectRefusedByLine(scenario, message);
    TempFolder data;
    EXPECT_EQ(runScenario("clock 253402300799\nwait 0.000001\n", data.path()).exitCode, 2);
    EXPECT_EQ(runScenario("clock 253402300798.5\nwait 0.5\nload\n", data.path()).exitCode, 0);
}

TEST(Messages, HelpPrintsTheUsageAndSucceeds) {
    for (const char* flag : {"--help", "-h"}) {
        HostsimResult result = runHostsim({flag});
        EXPECT_EQ(result.exitCode, 0) << flag;
        EXPECT_TRUE(contains(result.out, "usage: hostsim run SCENARIO")) << result.out;
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(runHostsim({"preview", "--help"}).exitCode, 0);
}

TEST(Messages, ControlCharactersOfBadInputAreShownEscaped) {
    TempFolder data;
    HostsimResult result = runScenario("fly\x1b[2J\n", data.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(contains(result.err, "unknown command 'fly\\x1b[2J'")) << result.err;
    result = runScenario("online ranked=\"1\x07\"\n", data.path());
    EXPECT_TRUE(contains(result.err, "not '1\\x07'")) << result.err;
    result = runHostsim({"fly\x1b"});
    EXPECT_TRUE(contains(result.err, "unknown command 'fly\\x1b'")) << result.err;
}

TEST(Messages, ASettingOutsideItsRangeSaysWhichValueIsUsed) {
    TempFolder folder;
    writeFile(folder / "mine.csv", statsHeader() + "\n");
    HostsimResult result = runHostsim({"preview", "--stats", pathToUtf8(folder / "mine.csv"), "--set",
                                       "tallyglass_box_opacity=999", "--set", "tallyglass_box_r=12", "--png",
                                       pathToUtf8(folder / "p.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.err, "tallyglass_box_opacity=999: above the range of tallyglass_box_opacity "
                                     "(1 to 255); the value used is 255"))
        << result.err;
    EXPECT_FALSE(contains(result.err, "tallyglass_box_r=")) << "a value within range goes unremarked";
}

TEST(Messages, AFileThatCannotBeReadSaysWhy) {
    TempFolder folder;
    HostsimResult result =
        runHostsim({"preview", "--stats", pathToUtf8(folder.path()), "--png", pathToUtf8(folder / "p.png")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(
        contains(result.err, "cannot read the stats file " + pathToUtf8(folder.path()) + ": it is a folder"))
        << result.err;
    result = runHostsim(
        {"preview", "--stats", pathToUtf8(folder / "none.csv"), "--png", pathToUtf8(folder / "p.png")});
    EXPECT_TRUE(contains(result.err, "none.csv: No such file or directory")) << result.err;
}
