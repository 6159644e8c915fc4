// The colour of a match row, decided by its Win cell: green for a win, red for a loss, white when
// the cell tells neither.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace overlay {

struct Rgb {
    unsigned char red;
    unsigned char green;
    unsigned char blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};

// Reads a decimal 32-bit integer the way the standard text-to-int conversion does (leading white
// space, an optional sign, digits up to the first other character, nothing after a zero byte), but
// answers "no number" instead of throwing when there is none or it does not fit.
std::optional<std::int32_t> parseWinCell(const std::string& cell) noexcept;

// 1 or more is a win, 0 a loss; a negative value or a cell that holds no 32-bit number is neither.
Rgb rowColourForWin(std::optional<std::int32_t> win) noexcept;

} // namespace overlay
