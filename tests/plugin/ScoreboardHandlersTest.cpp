// The console commands and the scoreboard handlers, played through hostsim on the real module: when
// the boxes appear, where, and which settings they are drawn with.
#include "plugin/GameEvents.h"
#include "tests/support/CanvasReplay.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/InProcessHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Top-left corners of the seven boxes with the default settings, in drawing order.
const std::vector<std::pair<int, int>> kDefaultCorners{{405, 730},  {405, 900}, {740, 900}, {1070, 900},
                                                       {1400, 900}, {740, 730}, {1070, 730}};

std::vector<std::pair<int, int>> corners(const ReplayedFrame& frame) {
    std::vector<std::pair<int, int>> result;
    for (const DrawnRect& rect : frame.rects)
        result.emplace_back(rect.x1, rect.y1);
    return result;
}

class Scoreboard : public ::testing::Test {
protected:
    HostsimResult run(const std::string& scenario) {
        HostsimResult result = runScenario("load\n" + scenario, data.path());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result;
    }
    TempFolder data;
};

TEST_F(Scoreboard, OpeningSnapshotsEverySettingInOrderThenReplacesTheDrawable) {
    HostsimResult result = run("scoreboard open\n");
    std::vector<std::string> registered, fetched;
    for (const std::string& line : result.traceLines("registerCvar "))
        registered.push_back(line.substr(13, line.find('"', 14) - 12));
    for (const std::string& line : result.traceLines("getCvar "))
        fetched.push_back(line.substr(8));
    EXPECT_EQ(registered.size(), 26u);
    EXPECT_EQ(fetched, registered);
    auto last = std::find(result.trace.begin(), result.trace.end(), "RegisterDrawable") + 1;
    ASSERT_GE(last - result.trace.begin(), 3);
    EXPECT_EQ(std::vector<std::string>(last - 3, last),
              (std::vector<std::string>{"getCvar \"tallyglass_box_demos_y\"", "UnregisterDrawables",
                                        "RegisterDrawable"}));
}

TEST_F(Scoreboard, DefaultsDrawSevenBoxesEveryRectangleBeforeAnyText) {
    ReplayedFrame frame = replayCanvas(run("scoreboard open\nframe\n").frame(1));
    EXPECT_EQ(corners(frame), kDefaultCorners);
    for (const DrawnRect& rect : frame.rects)
        EXPECT_EQ(rect.colour, "0 0 0 210");
    EXPECT_FALSE(frame.rectAfterText);
    EXPECT_EQ(frame.texts.size(), 7u * 45u);
}

TEST_F(Scoreboard, ConsoleChangesTakeEffectAtTheNextOpening) {
    HostsimResult result = run("scoreboard open\n"
                               "console tallyglass_box_mmr_x 50\n"
                               "console tallyglass_box_r 9\n"
                               "console tallyglass_text_opacity 100\n"
                               "frame\n"
                               "scoreboard close\n"
                               "scoreboard open\n"
                               "frame\n");
    ReplayedFrame before = replayCanvas(result.frame(1)), after = replayCanvas(result.frame(2));
    EXPECT_EQ(before.rects[0].x1, 405);
    EXPECT_EQ(before.rects[0].colour, "0 0 0 210");
    EXPECT_EQ(before.textAt(410, 735).colour, "255 255 255 255");
    EXPECT_EQ(after.rects[0].x1, 50);
    EXPECT_EQ(after.rects[0].colour, "9 0 0 210");
    EXPECT_EQ(after.textAt(55, 735).colour, "255 255 255 100");
}

TEST_F(Scoreboard, OverlappingBoxesDrawAllRectanglesFirstLaterOnesOnTop) {
    ReplayedFrame frame = replayCanvas(run("console tallyglass_box_assists_x 760\n"
                                           "console tallyglass_box_assists_y 910\n"
                                           "scoreboard open\nframe\n")
                                           .frame(1));
    EXPECT_EQ(corners(frame)[3], (std::pair<int, int>{760, 910})); // drawn after the goals box it covers
    EXPECT_FALSE(frame.rectAfterText);
    EXPECT_TRUE(frame.anyTextAt(745, 905));
    EXPECT_TRUE(frame.anyTextAt(765, 915));
}

TEST_F(Scoreboard, TwoOpeningsLeaveOneDrawable) {
    ReplayedFrame frame = replayCanvas(run("scoreboard open\nscoreboard open\nframe\n").frame(1));
    EXPECT_EQ(corners(frame), kDefaultCorners);
}

TEST_F(Scoreboard, StopKeepsOpenBoxesUntilCloseAndLaterOpeningsDoNothing) {
    HostsimResult result = run("scoreboard open\n"
                               "console tallyglass_stop\n"
                               "frame\n"
                               "scoreboard close\n"
                               "frame\n"
                               "scoreboard open\n"
                               "frame\n");
    EXPECT_EQ(replayCanvas(result.frame(1)).rects.size(), 7u);
    EXPECT_TRUE(replayCanvas(result.frame(2)).calls.empty());
    EXPECT_EQ(result.frame(3), std::vector<std::string>{}); // no snapshot, no drawable, nothing drawn
    EXPECT_EQ(result.traceLines("getCvar ").size(), 26u);
    EXPECT_EQ(result.traceLines("log ").size(), 1u); // the load banner only: stopping logs nothing
}

TEST_F(Scoreboard, ClosingWhileStoppedStillUnregisters) {
    HostsimResult result = run("scoreboard open\n"
                               "console tallyglass_stop\n"
                               "scoreboard close\n"
                               "frame\n");
    EXPECT_EQ(result.traceLines("UnregisterDrawables").size(), 2u);
    EXPECT_TRUE(result.frame(1).empty());
}

TEST_F(Scoreboard, StartLogsEveryTimeAndBothCommandsIgnoreTheirArguments) {
    HostsimResult result = run("console tallyglass_start\n"
                               "console tallyglass_stop now please\n"
                               "scoreboard open\n"
                               "frame\n"
                               "console tallyglass_start 0\n"
                               "scoreboard open\n"
                               "frame\n");
    EXPECT_EQ(result.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\nTallyglass Plugin enabled!\n"
                          "Tallyglass Plugin enabled!\n");
    EXPECT_TRUE(replayCanvas(result.frame(1)).calls.empty());
    EXPECT_EQ(replayCanvas(result.frame(2)).rects.size(), 7u);
}

// An opening that fails partway (here the host, at the last setting) ends there: no drawable is
// registered, the host sees no exception, and the next opening works again.
TEST(ScoreboardFailure, AnOpeningThatCannotCompleteRegistersNoDrawable) {
    TempFolder data;
    InProcessHost host(data.path(), 1796677509);
    hostcore::World& world = host.world();
    std::vector<std::string> logged;
    world.consoleSink = [&](const std::string& line) { logged.push_back(line); };
    bool failing = true;
    world.traceSink = [&](const std::string& line) {
        if (failing && line == "getCvar \"tallyglass_box_demos_y\"")
            throw std::runtime_error("host refused");
    };

    EXPECT_NO_THROW(world.fireEvent(kScoreboardOpenedEvent));
    EXPECT_EQ(world.drawableCount(), 0);
    EXPECT_EQ(logged, std::vector<std::string>{"Tallyglass: host refused"});
    failing = false;
    world.fireEvent(kScoreboardOpenedEvent);
    EXPECT_EQ(world.drawableCount(), 1);
}

} // namespace
