#include "overlay/BoxLayout.h"

#include <algorithm>

namespace overlay {

std::size_t cellLength(const std::string& cell) noexcept {
    const std::size_t zero = cell.find('\0');
    return zero == std::string::npos ? cell.size() : zero;
}

ColumnLayout measureColumns(const TableCells& cells, std::int32_t lineCount) noexcept {
    const int measuredRows = 1 + dataRowCount(lineCount);
    ColumnLayout layout;
    for (int column = 0; column < kDrawnColumns; ++column) {
        std::size_t longest = 0;
        for (int row = 0; row < measuredRows; ++row)
            longest = std::max(longest, cellLength(cells[cellIndex(row, column)]));
        layout.charsBefore[static_cast<std::size_t>(column)] = layout.totalChars;
        layout.totalChars += longest + 1;
    }
    return layout;
}

} // namespace overlay
