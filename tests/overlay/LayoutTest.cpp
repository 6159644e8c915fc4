// The host-free arithmetic behind a stat box: colour channels, column widths, edges and the Win cell.
#include "overlay/BoxLayout.h"
#include "overlay/RowColour.h"
#include "statsfile/CellConversion.h"

#include <gtest/gtest.h>

#include <limits>

using namespace overlay;

namespace {
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
} // namespace

TEST(ColourChannel, KeepsTheLowEightBits) {
    EXPECT_EQ(colourChannel(256), 0);
    EXPECT_EQ(colourChannel(300), 44);
    EXPECT_EQ(colourChannel(-1), 255);
    EXPECT_EQ(colourChannel(255), 255);
    EXPECT_EQ(colourChannel(kMin), 0);
}

TEST(ColumnWidths, MeasureTheTitleRowAndOnlyTheDataRowsBelowTheLineCount) {
    TableCells cells;
    cells[0] = "ab";
    cells[5] = "abcdef";                   // row 1, column 0
    cells[50] = "abcdefghij";              // row 10, column 0
    cells[3] = std::string("ab\0cdef", 7); // a zero byte ends the text as the canvas sees it
    cells[4] = "a much longer Win cell";   // column 4 is never measured

    ColumnLayout headerOnly = measureColumns(cells, 1);
    EXPECT_EQ(headerOnly.charsBefore, (std::array<std::uint64_t, 4>{0, 3, 4, 5}));
    EXPECT_EQ(headerOnly.totalChars, 8u);
    EXPECT_EQ(measureColumns(cells, -5).totalChars, 8u);
    EXPECT_EQ(measureColumns(cells, kMin).totalChars, 8u);
    EXPECT_EQ(measureColumns(cells, 2).charsBefore[1], 7u);  // row 1 counts
    EXPECT_EQ(measureColumns(cells, 10).charsBefore[1], 7u); // row 10 does not yet
    EXPECT_EQ(measureColumns(cells, 11).charsBefore[1], 11u);
    EXPECT_EQ(measureColumns(cells, kMax).charsBefore[1], 11u);
}

TEST(BoxEdges, RightEdgeIsTheWiderOfFittedAndMinimumInSigned32Bit) {
    EXPECT_EQ(boxRightEdge(405, 4), 605);   // every cell empty: the minimum width
    EXPECT_EQ(boxRightEdge(405, 24), 605);  // X + 8 + 192 meets the minimum exactly
    EXPECT_EQ(boxRightEdge(405, 27), 629);  // the header-only widths 9 + 6 + 7 + 5
    EXPECT_EQ(boxRightEdge(-300, 27), -76); // negative positions are ordinary coordinates
    // The fitted edge wraps past the 32-bit range while the minimum does not: the minimum wins.
    EXPECT_EQ(boxRightEdge(kMax - 210, 27), kMax - 10);
    EXPECT_EQ(boxBottomEdge(kMax), kMin + 153);
    EXPECT_EQ(cellTextX(kMax, 1), kMin + 12);
    EXPECT_EQ(rowTextY(730, 10), 855);
    EXPECT_EQ(averageLineY(730), 867);
}

// The Win cell is read as every cell is; these are the readings that decide a row's colour.
TEST(WinCell, ReadsLikeTheStandardConversionAndNeverThrows) {
    struct Case {
        std::string cell;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"1", 1},
        {"0", 0},
        {"-1", -1},
        {" \t\n+7 wins", 7},
        {"1.9", 1},
        {"0x1", 0},
        {"-0", 0},
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"000000000000000000002", 2},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"won", std::nullopt},
        {"- 1", std::nullopt},
        {"+-1", std::nullopt},
        {std::string("\0"
                     "1",
                     2),
         std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellToInt(c.cell), c.value) << '"' << c.cell << '"';
}

TEST(WinCell, GreenForAWinRedForALossWhiteOtherwise) {
    EXPECT_EQ(rowColourForWin(2), kGreen);
    EXPECT_EQ(rowColourForWin(1), kGreen);
    EXPECT_EQ(rowColourForWin(0), kRed);
    EXPECT_EQ(rowColourForWin(-1), kWhite);
    EXPECT_EQ(rowColourForWin(std::nullopt), kWhite);
}
