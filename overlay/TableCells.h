// A recent-match table as every stat box draws it, in the shape the plugin object holds it
// (plugin/RecentTables.h): a title row and ten match rows of five cells (Playlist, Score, the statistic,
// Time, Win), stored row by row. The statistics fill the tables, the overlay draws them.
#pragma once

#include "plugin/RecentTables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace overlay {

inline constexpr int kTableRows = kRecentTableRows;       // the title row and ten matches
inline constexpr int kTableColumns = kRecentTableColumns; // Playlist, Score, the statistic, Time, Win
inline constexpr int kDrawnColumns = 4;                   // the Win column only colours rows
inline constexpr int kWinColumn = 4;
using TableCells = RecentTable;

constexpr std::size_t cellIndex(int row, int column) noexcept {
    return static_cast<std::size_t>(row * kTableColumns + column);
}

// Table rows 1 to 10 that hold a match of the current file: those below lineCount, the file's lines
// counting its header.
constexpr int dataRowCount(std::int32_t lineCount) noexcept {
    // Widened first: the lowest 32-bit count has no predecessor in 32 bits.
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{lineCount} - 1, 0, kTableRows - 1));
}

} // namespace overlay
