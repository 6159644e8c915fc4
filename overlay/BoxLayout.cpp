#include "overlay/BoxLayout.h"

#include <algorithm>

namespace overlay {

namespace {

// Unsigned arithmetic wraps without undefined behaviour; its low 32 bits are the 32-bit result.
std::int32_t wrap32(std::uint64_t value) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::uint64_t widen(std::int32_t value) noexcept {
    return static_cast<std::uint64_t>(std::int64_t{value});
}

} // namespace

int dataRowCount(std::int32_t lineCount) noexcept {
    // Widened first: the lowest 32-bit count has no predecessor in 32 bits.
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{lineCount} - 1, 0, kTableRows - 1));
}

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
            longest =
                std::max(longest, cellLength(cells[static_cast<std::size_t>(row * kTableColumns + column)]));
        layout.charsBefore[static_cast<std::size_t>(column)] = layout.totalChars;
        layout.totalChars += longest + 1;
    }
    return layout;
}

std::int32_t boxRightEdge(std::int32_t boxX, std::uint64_t totalChars) noexcept {
    const std::int32_t fitted = wrap32(widen(boxX) + kCharWidth + kCharWidth * totalChars);
    const std::int32_t minimum = wrap32(widen(boxX) + kMinimumBoxWidth);
    return std::max(fitted, minimum);
}

std::int32_t boxBottomEdge(std::int32_t boxY) noexcept {
    return wrap32(widen(boxY) + kBoxHeight);
}

std::int32_t cellTextX(std::int32_t boxX, std::uint64_t charsBefore) noexcept {
    return wrap32(widen(boxX) + kTextInset + kCharWidth * charsBefore);
}

std::int32_t rowTextY(std::int32_t boxY, int row) noexcept {
    return wrap32(widen(boxY) + kTextInset + static_cast<std::uint64_t>(kRowPitch * row));
}

std::int32_t averageLineY(std::int32_t boxY) noexcept {
    return wrap32(widen(boxY) + kAverageLineOffset);
}

} // namespace overlay
