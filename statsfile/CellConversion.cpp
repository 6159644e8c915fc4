#include "statsfile/CellConversion.h"

#include <limits>

namespace {

struct LeadingNumber {
    bool negative = false;
    std::uint64_t magnitude = 0;
};

bool isCWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The sign and the magnitude of the number at the start of the cell; none when there are no digits or
// the magnitude exceeds 64 bits.
std::optional<LeadingNumber> leadingNumber(std::string_view cell) {
    std::size_t at = 0;
    while (at < cell.size() && isCWhiteSpace(cell[at]))
        ++at;
    LeadingNumber number;
    if (at < cell.size() && (cell[at] == '+' || cell[at] == '-')) {
        number.negative = cell[at] == '-';
        ++at;
    }
    const std::size_t firstDigit = at;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; at < cell.size() && cell[at] >= '0' && cell[at] <= '9'; ++at) {
        const auto digit = static_cast<std::uint64_t>(cell[at] - '0');
        if (number.magnitude > (kMax - digit) / 10)
            return std::nullopt;
        number.magnitude = number.magnitude * 10 + digit;
    }
    if (at == firstDigit)
        return std::nullopt;
    return number;
}

} // namespace

std::optional<std::int32_t> cellToInt(std::string_view cell) {
    const std::optional<LeadingNumber> number = leadingNumber(cell);
    if (!number)
        return std::nullopt;
    constexpr auto kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    if (number->magnitude > kMaxPositive + (number->negative ? 1 : 0))
        return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(number->magnitude);
    return static_cast<std::int32_t>(number->negative ? -magnitude : magnitude);
}

std::optional<std::uint64_t> cellToTime(std::string_view cell) {
    const std::optional<LeadingNumber> number = leadingNumber(cell);
    if (!number)
        return std::nullopt;
    return number->negative ? 0 - number->magnitude : number->magnitude;
}
