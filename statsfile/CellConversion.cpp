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

bool hasWholeNumberForm(std::string_view trimmed) {
    if (trimmed.empty())
        return false;
    const std::size_t digitsFrom = trimmed.front() == '+' || trimmed.front() == '-' ? 1 : 0;
    if (digitsFrom == trimmed.size())
        return false;
    for (std::size_t at = digitsFrom; at < trimmed.size(); ++at)
        if (trimmed[at] < '0' || trimmed[at] > '9')
            return false;
    return true;
}

// The sign and magnitude when the cell, blanks around it aside, is nothing but a number.
std::optional<LeadingNumber> wholeNumber(std::string_view cell) {
    cell = withoutBlanks(cell);
    if (!hasWholeNumberForm(cell))
        return std::nullopt;
    return leadingNumber(cell);
}

template <class Integer> std::optional<Integer> strictInteger(std::string_view cell) {
    const std::optional<LeadingNumber> number = wholeNumber(cell);
    if (!number)
        return std::nullopt;
    constexpr auto kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<Integer>::max());
    if (number->magnitude > kMaxPositive + (number->negative ? 1 : 0))
        return std::nullopt;
    // Negated in unsigned arithmetic: the lowest value has no positive counterpart.
    const std::uint64_t bits = number->negative ? 0 - number->magnitude : number->magnitude;
    return static_cast<Integer>(static_cast<std::int64_t>(bits));
}

} // namespace

bool isWholeNumberText(std::string_view cell) {
    return hasWholeNumberForm(withoutBlanks(cell));
}

std::optional<std::int32_t> strictInt(std::string_view cell) {
    return strictInteger<std::int32_t>(cell);
}

std::optional<std::int64_t> strictInt64(std::string_view cell) {
    return strictInteger<std::int64_t>(cell);
}

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
