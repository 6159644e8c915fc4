// render drawn in-process onto a canvas whose calls are traced, with the plugin's tables and
// settings set directly: the corners no stats file written by the plugin can reach.
#include "plugin/Tallyglass.h"
#include "tests/support/CanvasReplay.h"

#include "hostcore/World.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kGreen = "0 255 0 255";
constexpr const char* kRed = "255 0 0 255";
constexpr const char* kWhite = "255 255 255 255";

class RenderOnCanvas : public ::testing::Test {
protected:
    void SetUp() override {
        world->recordDrawing = false;
        world->traceSink = [this](const std::string& line) { trace.push_back(line); };
        // One box, away from the others' default places, unless a test shows more.
        for (bool Tallyglass::*shown :
             {&Tallyglass::showScoreBox, &Tallyglass::showGoalsBox, &Tallyglass::showAssistsBox,
              &Tallyglass::showSavesBox, &Tallyglass::showShotsBox, &Tallyglass::showDemosBox})
            plugin.*shown = false;
        plugin.mmrBoxX = 100;
        plugin.mmrBoxY = 200;
    }

    ReplayedFrame draw() {
        trace.clear();
        plugin.render(CanvasWrapper(world));
        return replayCanvas(trace);
    }

    // Win cells of matchTable rows 1, 2, ...
    void setWins(std::initializer_list<std::string> wins) {
        std::size_t row = 1;
        for (const std::string& win : wins)
            plugin.matchTable[row++ * 5 + 4] = win;
    }

    std::shared_ptr<hostcore::World> world = hostcore::World::create();
    std::vector<std::string> trace;
    Tallyglass plugin;
};

TEST_F(RenderOnCanvas, HeaderOnlyDrawsRectangleThenEveryCellInWhiteAtTheSharedColumns) {
    std::copy(plugin.pointsColumns.begin(), plugin.pointsColumns.end(), plugin.matchTable.begin());
    std::copy(plugin.mmrColumns.begin(), plugin.mmrColumns.end(), plugin.mmrTable.begin());
    plugin.matchTable[5] = "C a playlist title far wider than any header"; // not a data row: not measured
    plugin.mmrTable[7] = "1050";
    plugin.lineCount = 1;
    plugin.averageMmr = "1050.00";

    std::vector<std::string> expected{"SetColor 0 0 0 210", "DrawRect 100 200 324 354",
                                      std::string("SetColor ") + kWhite};
    const int columnX[] = {105, 177, 225, 281};
    for (int row = 0; row < 11; ++row)
        for (int column = 0; column < 4; ++column) {
            expected.push_back("SetPosition " + std::to_string(columnX[column]) + " " +
                               std::to_string(205 + 12 * row));
            expected.push_back("DrawString \"" + plugin.mmrTable[static_cast<std::size_t>(row * 5 + column)] +
                               "\" 1 1");
        }
    expected.insert(expected.end(), {std::string("SetColor ") + kWhite, "SetPosition 105 337",
                                     "DrawString \"Average MMR: 1050.00\" 1 1"});
    EXPECT_EQ(draw().calls, expected);
}

TEST_F(RenderOnCanvas, EveryCellEmptyKeepsTheMinimumWidth) {
    plugin.lineCount = 12;
    ReplayedFrame frame = draw();
    ASSERT_EQ(frame.rects.size(), 1u);
    EXPECT_EQ(frame.rects[0].x2, 300);
    for (int x : {105, 113, 121, 129})
        EXPECT_EQ(frame.textAt(x, 205).text, "");
    EXPECT_EQ(frame.textAt(105, 337).text, "Average MMR: "); // no average yet: the prefix alone
}

TEST_F(RenderOnCanvas, DataRowsTakeTheirColourFromMatchTableAndLaterRowsKeepTheLastOne) {
    plugin.lineCount = 4;
    setWins({"2", "-1", "0", "1", "1"}); // rows 4 and 5 are beyond the file: their Win cells are not read
    plugin.mmrTable[9] = "0";            // the box's own Win column decides nothing
    ReplayedFrame frame = draw();
    const char* rowColour[] = {kWhite, kGreen, kWhite, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed};
    for (int row = 0; row < 11; ++row)
        for (int x : {105, 113, 121, 129})
            EXPECT_EQ(frame.textAt(x, 205 + 12 * row).colour, rowColour[row]) << "row " << row;
    EXPECT_EQ(frame.textAt(105, 337).colour, kWhite);

    // The colour is set again before each cell of a data row, and not for the rows beyond.
    auto rowOne = std::find(frame.calls.begin(), frame.calls.end(), "SetPosition 105 217");
    ASSERT_NE(rowOne, frame.calls.end());
    EXPECT_EQ(*(rowOne - 1), std::string("SetColor ") + kGreen);
    EXPECT_EQ(*(rowOne + 2), std::string("SetColor ") + kGreen);
    auto rowFour = std::find(frame.calls.begin(), frame.calls.end(), "SetPosition 105 253");
    ASSERT_NE(rowFour, frame.calls.end());
    EXPECT_EQ(*(rowFour - 1), "DrawString \"\" 1 1");
}

TEST_F(RenderOnCanvas, WinCellsThatHoldNoNumberOrOverflowColourTheirRowWhite) {
    plugin.lineCount = 12;
    setWins({"won", "2147483648", "", "-2147483649", " 1", "1"});
    ReplayedFrame frame;
    EXPECT_NO_THROW(frame = draw());
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(frame.textAt(121, 205 + 12 * row).colour, kWhite) << "row " << row;
    EXPECT_EQ(frame.textAt(121, 265).colour, kGreen);
    EXPECT_EQ(frame.textAt(121, 277).colour, kGreen);
    EXPECT_EQ(frame.textAt(121, 325).colour, kWhite) << "row 10, an empty Win cell";
}

TEST_F(RenderOnCanvas, ColourSettingsBeyondAByteUseTheirLowEightBits) {
    plugin.boxRed = 300;
    plugin.boxGreen = 256;
    plugin.boxBlue = -1;
    plugin.boxOpacity = 511;
    plugin.textOpacity = 300;
    plugin.lineCount = 2;
    setWins({"1"});
    ReplayedFrame frame = draw();
    EXPECT_EQ(frame.rects[0].colour, "44 0 255 255");
    EXPECT_EQ(frame.textAt(105, 205).colour, "255 255 255 44");
    EXPECT_EQ(frame.textAt(105, 217).colour, "0 255 0 44");
}

TEST_F(RenderOnCanvas, AverageLineFollowsTheAverageFromFrameToFrame) {
    plugin.averageMmr = "1000.00";
    EXPECT_EQ(draw().textAt(105, 337).text, "Average MMR: 1000.00");
    plugin.averageMmr = "987.25";
    EXPECT_EQ(draw().textAt(105, 337).text, "Average MMR: 987.25");
    plugin.averageMmr.clear();
    EXPECT_EQ(draw().textAt(105, 337).text, "Average MMR: ");
}

} // namespace
