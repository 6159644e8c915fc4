// Where a stat box and its texts go on the canvas: column widths shared by every box, the box's
// edges and each cell's text position. Plain arithmetic, no host.
#pragma once

#include "overlay/TableCells.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace overlay {

inline constexpr std::uint64_t kCharWidth = 8;
inline constexpr std::uint64_t kRowPitch = 12;
inline constexpr std::uint64_t kTextInset = 5;
inline constexpr std::uint64_t kMinimumBoxWidth = 200;
inline constexpr std::uint64_t kBoxHeight = 154;
inline constexpr std::uint64_t kAverageLineOffset = 137;

struct ColumnLayout {
    // Characters to the left of each drawn column, and of all four together.
    std::array<std::uint64_t, kDrawnColumns> charsBefore{};
    std::uint64_t totalChars = 0;
};

// A cell's length as the canvas sees it: the bytes before the first zero byte.
std::size_t cellLength(const std::string& cell) noexcept;

// Each drawn column is one character wider than its longest cell among the title row and the
// data rows of `cells`.
ColumnLayout measureColumns(const TableCells& cells, std::int32_t lineCount) noexcept;

// Canvas coordinates are 32-bit; sums beyond that range wrap as 32-bit arithmetic does. Unsigned
// 64-bit sums wrap without undefined behaviour, and their low 32 bits are the 32-bit result. These
// run for every cell of every frame, so they are inline.
constexpr std::int32_t wrap32(std::uint64_t value) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
constexpr std::uint64_t widen(std::int32_t value) noexcept {
    return static_cast<std::uint64_t>(std::int64_t{value});
}

// The wider of the fitted and the minimum width, compared as signed 32-bit edges.
constexpr std::int32_t boxRightEdge(std::int32_t boxX, std::uint64_t totalChars) noexcept {
    const std::int32_t fitted = wrap32(widen(boxX) + kCharWidth + kCharWidth * totalChars);
    const std::int32_t minimum = wrap32(widen(boxX) + kMinimumBoxWidth);
    return fitted > minimum ? fitted : minimum;
}
constexpr std::int32_t boxBottomEdge(std::int32_t boxY) noexcept {
    return wrap32(widen(boxY) + kBoxHeight);
}
constexpr std::int32_t cellTextX(std::int32_t boxX, std::uint64_t charsBefore) noexcept {
    return wrap32(widen(boxX) + kTextInset + kCharWidth * charsBefore);
}
constexpr std::int32_t rowTextY(std::int32_t boxY, int row) noexcept {
    return wrap32(widen(boxY) + kTextInset + kRowPitch * static_cast<std::uint64_t>(row));
}
constexpr std::int32_t averageLineY(std::int32_t boxY) noexcept {
    return wrap32(widen(boxY) + kAverageLineOffset);
}

// A colour channel keeps the low 8 bits of the setting: 256 gives 0, 300 gives 44, -1 gives 255.
constexpr unsigned char colourChannel(std::int32_t value) noexcept {
    return static_cast<unsigned char>(value);
}

} // namespace overlay
