// A match's write still pending on the host's timer when the plugin is unloaded: the row is written at
// unload, exactly once, and the timer that falls due afterwards never reaches the gone plugin (under
// AddressSanitizer that would be a use after free), not even when the plugin is loaded again.
#include "tests/support/FaultScenario.h"
#include "tests/support/InProcessHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TEST(PendingWriteAtUnload, TheRowIsWrittenOnceAndTheTimerNeverReachesTheGonePlugin) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedInOnlineGame + "stats points=8101\nmatchend\nwait 2\nunload\n" +
                                        "wait 10\n" + kLoadedInOnlineGame + "wait 10\n" + endedMatch(8102),
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.traceLines("SetTimeout").size(), 2u);
    EXPECT_THAT(recordedPoints(defaultStatsFile(data.path())), ElementsAre(8101, 8102));
    EXPECT_THAT(unexpectedConsoleLines(run.out), IsEmpty());
}

TEST(PendingWriteAtUnload, AWritePendingWhenTheHostClosesIsDoneAsItCloses) {
    TempFolder data;
    HostsimResult run =
        runScenario(kLoadedInOnlineGame + "stats points=8201\nmatchend\nwait 5.9\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(recordedPoints(defaultStatsFile(data.path())), ElementsAre(8201));
    EXPECT_THAT(unexpectedConsoleLines(run.out), IsEmpty());
}

// A host that forgets to drop the plugin's timer before releasing the plugin: the task falls due after
// the object is gone and must do nothing, while the row was already written when the object went.
TEST(PendingWriteAtUnload, ATimerAHostStillRunsAfterThePluginIsGoneDoesNothing) {
    TempFolder data;
    InProcessHost host(data.path(), 1796677509, [](hostcore::World& world) {
        world.game.online = true;
        world.game.winnerTeam = 0;
        world.game.figures.points = 8301;
    });
    host.endMatch();
    ASSERT_EQ(host.world().pendingTimerCount(), 1);

    host.release(false);
    EXPECT_THAT(recordedPoints(defaultStatsFile(data.path())), ElementsAre(8301));
    host.wait(10);
    EXPECT_EQ(host.world().pendingTimerCount(), 0);
    EXPECT_THAT(recordedPoints(defaultStatsFile(data.path())), ElementsAre(8301)) << "written once only";
}

} // namespace
