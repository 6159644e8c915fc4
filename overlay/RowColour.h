// The colour of a match row, decided by its Win cell: green for a win, red for a loss, white when
// the cell tells neither.
#pragma once

#include <cstdint>
#include <optional>

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

// The Win cell's number, as cellToInt reads every cell: 1 or more is a win, 0 a loss; a negative value
// or a cell that holds no 32-bit number is neither.
Rgb rowColourForWin(std::optional<std::int32_t> win) noexcept;

} // namespace overlay
