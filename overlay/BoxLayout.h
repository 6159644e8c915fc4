// Where a stat box and its texts go on the canvas: column widths shared by every box, the box's
// edges and each cell's text position. Plain arithmetic, no host.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace overlay {

inline constexpr int kTableRows = 11;   // the title row and ten matches
inline constexpr int kTableColumns = 5; // Playlist, Score, the statistic, Time, Win
inline constexpr int kDrawnColumns = 4; // the Win column only colours rows
inline constexpr int kWinColumn = 4;
using TableCells = std::array<std::string, kTableRows * kTableColumns>;

inline constexpr std::int64_t kCharWidth = 8;
inline constexpr std::int64_t kRowPitch = 12;
inline constexpr std::int64_t kTextInset = 5;
inline constexpr std::int64_t kMinimumBoxWidth = 200;
inline constexpr std::int64_t kBoxHeight = 154;
inline constexpr std::int64_t kAverageLineOffset = 137;

struct ColumnLayout {
    // Characters to the left of each drawn column, and of all four together.
    std::array<std::uint64_t, kDrawnColumns> charsBefore{};
    std::uint64_t totalChars = 0;
};

// Table rows 1 to 10 that hold a match of the current file: those below lineCount.
int dataRowCount(std::int32_t lineCount) noexcept;

// A cell's length as the canvas sees it: the bytes before the first zero byte.
std::size_t cellLength(const std::string& cell) noexcept;

// Each drawn column is one character wider than its longest cell among the title row and the
// data rows of `cells`.
ColumnLayout measureColumns(const TableCells& cells, std::int32_t lineCount) noexcept;

// Canvas coordinates are 32-bit; sums beyond that range wrap as 32-bit arithmetic does.
std::int32_t boxRightEdge(std::int32_t boxX, std::uint64_t totalChars) noexcept;
std::int32_t boxBottomEdge(std::int32_t boxY) noexcept;
std::int32_t cellTextX(std::int32_t boxX, std::uint64_t charsBefore) noexcept;
std::int32_t rowTextY(std::int32_t boxY, int row) noexcept;
std::int32_t averageLineY(std::int32_t boxY) noexcept;

// A colour channel keeps the low 8 bits of the setting: 256 gives 0, 300 gives 44, -1 gives 255.
constexpr unsigned char colourChannel(std::int32_t value) noexcept {
    return static_cast<unsigned char>(value);
}

} // namespace overlay
