// The frame a player sees for a given stats file: hostsim loads the real module on a data folder
// holding the file, opens the scoreboard and draws one frame.
#include "tests/support/CanvasReplay.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kGreen = "0 255 0 255";
constexpr const char* kRed = "255 0 0 255";
constexpr const char* kWhite = "255 255 255 255";
constexpr long long kMatchTime = 1765000000;

struct Box {
    int x, y;
    const char* statistic; // title of column 2
    const char* value;     // column 2 of every match below
};
// The seven boxes at their default places, in drawing order.
const Box kBoxes[] = {{405, 730, "MMR", "1050"},   {405, 900, "Points", "450"}, {740, 900, "Goals", "3"},
                      {1070, 900, "Assists", "2"}, {1400, 900, "Saves", "4"},   {740, 730, "Shots", "6"},
                      {1070, 730, "Demos", "1"}};

const std::string kHeader = statsHeader();

// A 3:1 match with the figures of kBoxes, whose Win cell is `win` as it stands in the file.
std::string match(const std::string& win, const std::string& playlist = "Ranked Doubles") {
    const StatsRow row{.playlist = playlist,
                       .time = kMatchTime,
                       .timestamp = "05:46:40 12/06/25",
                       .mmr = 1050,
                       .points = 450,
                       .goals = 3,
                       .assists = 2,
                       .saves = 4,
                       .shots = 6,
                       .demos = 1};
    return statsLine(
        [&](StatsColumn column) { return column == StatsColumn::Win ? win : cellOf(row, column); });
}

class OverlayFrame : public ::testing::Test {
protected:
    // The first frame after opening the scoreboard 90 seconds after every match in `lines`.
    ReplayedFrame frameFor(const std::vector<std::string>& lines) {
        std::string file;
        for (const std::string& line : lines)
            file += line + lineEnd();
        writeFile(defaultStatsFile(data.path()), file);
        result = runScenario("clock " + std::to_string(kMatchTime + 90) + "\nload\nscoreboard open\nframe\n",
                             data.path());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.traceLines("log \"Tallyglass:").size(), 0u) << "a failure was caught";
        return replayCanvas(result.frame(1));
    }

    TempFolder data;
    HostsimResult result;
};

TEST_F(OverlayFrame, HeaderOnlyFileDrawsTheTitlesInWhiteAtTheTitleWidths) {
    ReplayedFrame frame = frameFor({kHeader});
    ASSERT_EQ(frame.rects.size(), 7u);
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.statistic);
        EXPECT_EQ(frame.rects[static_cast<std::size_t>(&box - kBoxes)].x2, box.x + 224);
        const int columnX[] = {box.x + 5, box.x + 77, box.x + 125, box.x + 181};
        const char* titles[] = {"Playlist", "Score", box.statistic, "Time"};
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(frame.textAt(columnX[column], box.y + 5).text, titles[column]);
        EXPECT_EQ(
            frame.textAt(box.x + 5, box.y + 137).text.rfind("Average " + std::string(box.statistic) + ": "),
            0u);
    }
    for (const DrawnText& text : frame.texts)
        EXPECT_EQ(text.colour, kWhite) << text.text << " at " << text.x << "," << text.y;
}

TEST_F(OverlayFrame, FourLinesColourThreeRowsAndTheRestLikeTheThird) {
    // Oldest first in the file, so row 1 is the last line.
    ReplayedFrame frame = frameFor({kHeader, match("0"), match("-1"), match("2")});
    const char* rowColour[] = {kWhite, kGreen, kWhite, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed};
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.statistic);
        // "R Ranked Doubles" is the widest first column: 17 characters.
        const int columnX[] = {box.x + 5, box.x + 141, box.x + 189, box.x + 245};
        const char* rowOne[] = {"R Ranked Doubles", "3-1", box.value, "a minute ago"};
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(frame.textAt(columnX[column], box.y + 17).text, rowOne[column]);
        for (int row = 0; row < 11; ++row)
            for (int x : columnX)
                EXPECT_EQ(frame.textAt(x, box.y + 5 + 12 * row).colour, rowColour[row]) << "row " << row;
        EXPECT_EQ(frame.textAt(box.x + 5, box.y + 137).colour, kWhite);
    }
    EXPECT_EQ(frame.textAt(410, 867).text, "Average MMR: 1050.00");
    EXPECT_FALSE(frame.rectAfterText);
}

TEST_F(OverlayFrame, TwelveLinesMeasureAndColourAllTenRows) {
    std::vector<std::string> lines{kHeader, match("1", "an oldest playlist title, no longer kept"),
                                   match("0", "Second Oldest Playlist")};
    for (int i = 0; i < 9; ++i)
        lines.push_back(match(i % 2 == 0 ? "1" : "0"));
    ReplayedFrame frame = frameFor(lines);
    // Row 10 holds the widest kept title: "R Second Oldest Playlist", 24 characters.
    EXPECT_EQ(frame.textAt(410 + 8 * 25, 735).text, "Score");
    EXPECT_EQ(frame.rects[0].x2, 405 + 8 + 8 * (25 + 6 + 7 + 13));
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(frame.textAt(410, 735 + 12 * row).colour, row % 2 == 1 ? kGreen : kRed) << "row " << row;
}

TEST_F(OverlayFrame, WinCellsThatAreNoNumberColourTheirRowWhite) {
    ReplayedFrame frame = frameFor({kHeader, match("won"), match("99999999999"), match("1")});
    EXPECT_EQ(frame.textAt(410, 747).colour, kGreen);
    EXPECT_EQ(frame.textAt(410, 759).colour, kWhite);
    EXPECT_EQ(frame.textAt(410, 771).colour, kWhite);
    EXPECT_EQ(frame.texts.size(), 7u * 45u);
}

// The road of one match: its end is recorded, and the next scoreboard shows it in the top row.
TEST_F(OverlayFrame, AFinishedMatchAppearsInTheTopRowAtTheNextOpening) {
    result =
        runScenario("clock " + std::to_string(kMatchTime) +
                        "\nload\nonline title=\"Ranked Doubles\" id=11 ranked=1\nscore 3 1\nwinner 0\n"
                        "stats points=450 goals=3 assists=2 saves=4 shots=6 demos=1\nrating 1050\nannounce\n"
                        "matchend\nwait 90\nscoreboard open\nframe\n",
                    data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ReplayedFrame frame = replayCanvas(result.frame(1));
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.statistic);
        const char* rowOne[] = {"R Ranked Doubles", "3-1", box.value, "a minute ago"};
        const int columnX[] = {box.x + 5, box.x + 141, box.x + 189, box.x + 245};
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(frame.textAt(columnX[column], box.y + 17).text, rowOne[column]);
            EXPECT_EQ(frame.textAt(columnX[column], box.y + 17).colour, kGreen);
        }
        EXPECT_EQ(frame.textAt(box.x + 5, box.y + 137).text,
                  "Average " + std::string(box.statistic) + ": " + box.value + ".00");
    }
}

} // namespace
