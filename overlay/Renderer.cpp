// Draws the stat boxes while the scoreboard is open: first every enabled box's rectangle, then each
// box's table and average line. Runs every frame, so it measures once per frame and allocates only
// what the canvas's by-value text parameter takes.
#include "plugin/Tallyglass.h"

#include "overlay/BoxLayout.h"
#include "overlay/RowColour.h"
#include "plugin/StatBoxes.h"
#include "statsfile/CellConversion.h"

#include <string_view>

namespace {

using overlay::colourChannel;

// The cached last line, remade only when the average behind it no longer matches.
const std::string& averageLine(std::string& cached, std::string_view prefix, const std::string& average) {
    const bool current = cached.size() == prefix.size() + average.size() &&
                         std::string_view(cached).substr(0, prefix.size()) == prefix &&
                         std::string_view(cached).substr(prefix.size()) == average;
    if (!current) {
        cached.assign(prefix);
        cached.append(average);
    }
    return cached;
}

void setColour(CanvasWrapper& canvas, overlay::Rgb colour, unsigned char alpha) {
    canvas.SetColor(colour.red, colour.green, colour.blue, alpha);
}

} // namespace

void Tallyglass::render(CanvasWrapper canvas) {
    // Measured once for all boxes: matchTable sets the columns and the colour of every row.
    const overlay::ColumnLayout columns = overlay::measureColumns(matchTable, lineCount);
    const int dataRows = overlay::dataRowCount(lineCount);
    std::array<overlay::Rgb, overlay::kTableRows> rowColours{};
    for (int row = 1; row <= dataRows; ++row) {
        const std::string& win = matchTable[overlay::cellIndex(row, overlay::kWinColumn)];
        rowColours[static_cast<std::size_t>(row)] = overlay::rowColourForWin(cellToInt(win));
    }
    const unsigned char textAlpha = colourChannel(textOpacity);

    // Every rectangle before any text, so that no box covers another box's texts.
    for (const StatBox& box : kStatBoxes) {
        if (!(this->*box.shown))
            continue;
        const std::int32_t x = this->*box.x;
        const std::int32_t y = this->*box.y;
        canvas.SetColor(colourChannel(boxRed), colourChannel(boxGreen), colourChannel(boxBlue),
                        colourChannel(boxOpacity));
        canvas.DrawRect(Vector2{x, y},
                        Vector2{overlay::boxRightEdge(x, columns.totalChars), overlay::boxBottomEdge(y)});
    }

    for (std::size_t boxIndex = 0; boxIndex < kStatBoxes.size(); ++boxIndex) {
        const StatBox& box = kStatBoxes[boxIndex];
        if (!(this->*box.shown))
            continue;
        const std::int32_t x = this->*box.x;
        const std::int32_t y = this->*box.y;
        const Table& table = this->*box.table;
        std::array<std::int32_t, overlay::kDrawnColumns> columnX;
        for (std::size_t column = 0; column < columnX.size(); ++column)
            columnX[column] = overlay::cellTextX(x, columns.charsBefore[column]);

        setColour(canvas, overlay::kWhite, textAlpha);
        const std::string& lastLine =
            averageLine(averageLines_[boxIndex], box.averagePrefix, this->*box.average);
        for (int row = 0; row < overlay::kTableRows; ++row) {
            const bool dataRow = row >= 1 && row <= dataRows;
            const std::int32_t textY = overlay::rowTextY(y, row);
            for (int column = 0; column < overlay::kDrawnColumns; ++column) {
                if (dataRow)
                    setColour(canvas, rowColours[static_cast<std::size_t>(row)], textAlpha);
                canvas.SetPosition(Vector2{columnX[static_cast<std::size_t>(column)], textY});
                canvas.DrawString(table[overlay::cellIndex(row, column)], 1.0f, 1.0f);
            }
        }
        setColour(canvas, overlay::kWhite, textAlpha);
        canvas.SetPosition(Vector2{overlay::cellTextX(x, 0), overlay::averageLineY(y)});
        canvas.DrawString(lastLine, 1.0f, 1.0f);
    }
}
