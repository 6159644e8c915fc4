// Each console variable reaches its own place in the drawing at the next scoreboard opening.
#include "tests/support/CanvasReplay.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleSettings, EachSettingReachesItsOwnBoxAndChannel) {
    const char* boxes[] = {"mmr", "points", "goals", "assists", "saves", "shots", "demos"};
    std::string scenario =
        "load\n"
        "console tallyglass_box_r 1\nconsole tallyglass_box_g 2\nconsole tallyglass_box_b 3\n"
        "console tallyglass_box_opacity 4\nconsole tallyglass_text_opacity 5\n";
    std::vector<DrawnRect> expected;
    for (int i = 0; i < 7; ++i) {
        const int x = 100 * (i + 1) + 1, y = 100 * (i + 1) + 2;
        scenario += "console tallyglass_box_" + std::string(boxes[i]) + "_x " + std::to_string(x) + "\n";
        scenario += "console tallyglass_box_" + std::string(boxes[i]) + "_y " + std::to_string(y) + "\n";
        expected.push_back({x, y, x + 224, y + 154, "1 2 3 4"}); // no stats file: the titles set the width
    }
    TempFolder data;
    ReplayedFrame frame =
        replayCanvas(runScenario(scenario + "scoreboard open\nframe\n", data.path()).frame(1));
    ASSERT_EQ(frame.rects.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(
            std::tie(frame.rects[i].x1, frame.rects[i].y1, frame.rects[i].x2, frame.rects[i].y2,
                     frame.rects[i].colour),
            std::tie(expected[i].x1, expected[i].y1, expected[i].x2, expected[i].y2, expected[i].colour))
            << boxes[i];
        EXPECT_EQ(frame.textAt(expected[i].x1 + 5, expected[i].y1 + 137).colour, "255 255 255 5") << boxes[i];
    }
}

TEST(ConsoleSettings, EachShowFlagSwitchesOnlyItsOwnBoxAndTheOthersKeepTheirPlaces) {
    // The points box is switched by the "score" setting.
    const char* flags[] = {"mmr", "score", "goals", "assists", "saves", "shots", "demos"};
    const std::pair<int, int> corners[] = {{405, 730},  {405, 900}, {740, 900}, {1070, 900},
                                           {1400, 900}, {740, 730}, {1070, 730}};
    for (int off = 0; off < 7; ++off) {
        TempFolder data;
        ReplayedFrame frame =
            replayCanvas(runScenario("load\nconsole tallyglass_box_" + std::string(flags[off]) +
                                         " 0\nscoreboard open\nframe\n",
                                     data.path())
                             .frame(1));
        std::vector<std::pair<int, int>> drawn, expected;
        for (const DrawnRect& rect : frame.rects)
            drawn.emplace_back(rect.x1, rect.y1);
        for (int box = 0; box < 7; ++box)
            if (box != off)
                expected.push_back(corners[box]);
        EXPECT_EQ(drawn, expected) << flags[off] << " off";
        EXPECT_FALSE(frame.anyTextAt(corners[off].first + 5, corners[off].second + 5))
            << flags[off] << " off";
        EXPECT_EQ(frame.texts.size(), 6u * 45u) << flags[off] << " off";
    }
}

} // namespace
