#include "overlay/RowColour.h"

#include <limits>

namespace overlay {

namespace {

// White space as the "C" locale knows it, which is the locale the plugin runs in.
bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::int32_t> parseWinCell(const std::string& cell) noexcept {
    // c_str() ends at the string's end with a zero byte, so the scan also stops at an embedded one.
    const char* next = cell.c_str();
    while (isBlank(*next))
        ++next;
    const bool negative = *next == '-';
    if (*next == '-' || *next == '+')
        ++next;
    if (!isDigit(*next))
        return std::nullopt;

    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; isDigit(*next); ++next) {
        magnitude = magnitude * 10 + (*next - '0');
        if (magnitude > kLimit)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

Rgb rowColourForWin(std::optional<std::int32_t> win) noexcept {
    if (!win || *win < 0)
        return kWhite;
    return *win == 0 ? kRed : kGreen;
}

} // namespace overlay
