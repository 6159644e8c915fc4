// The numbers of a stats-file row's cells, by the strict rule. The plain cells the plugin writes, a few
// digits, are converted directly, as nearly every cell is; any other cell goes through the strict
// conversion, whose rules decide. Both give the same value for a plain cell. Inline: they run for every
// cell.
#pragma once

#include "statsfile/CellConversion.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

inline bool integerOf(std::string_view cell, std::int32_t& value) {
    if (!cell.empty() && cell.size() <= 9) {
        std::uint32_t digits = 0;
        std::size_t at = 0;
        for (; at < cell.size(); ++at) {
            const auto digit = static_cast<std::uint32_t>(static_cast<unsigned char>(cell[at])) - '0';
            if (digit > 9)
                break;
            digits = digits * 10 + digit;
        }
        if (at == cell.size()) {
            value = static_cast<std::int32_t>(digits);
            return true;
        }
    }
    const std::optional<std::int32_t> converted = strictInt(cell);
    value = converted.value_or(0);
    return converted.has_value();
}

inline std::optional<std::int64_t> timeOf(std::string_view cell) {
    if (cell.empty() || cell.size() > 18)
        return strictInt64(cell);
    std::int64_t value = 0;
    for (const char c : cell) {
        if (c < '0' || c > '9')
            return strictInt64(cell);
        value = value * 10 + (c - '0');
    }
    return value;
}

// Eight plain digits at `at` (which has eight bytes to read) as their value; false when one of them is
// no digit. Little-endian machines only: the first byte is the most significant digit.
inline bool eightDigits(const char* at, std::uint64_t& value) {
    std::uint64_t chunk;
    std::memcpy(&chunk, at, 8);
    // Each byte 0x30 to 0x39: its high half 3, and adding 6 keeps it so.
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL;
    constexpr std::uint64_t kThrees = 0x3030303030303030ULL;
    if ((chunk & kHigh) != kThrees || ((chunk + 0x0606060606060606ULL) & kHigh) != kThrees)
        return false;
    chunk -= kThrees;
    chunk = (chunk * 10 + (chunk >> 8)) & 0x00FF00FF00FF00FFULL;
    chunk = (chunk * 100 + (chunk >> 16)) & 0x0000FFFF0000FFFFULL;
    value = (chunk * 10000 + (chunk >> 32)) & 0xFFFFFFFFULL;
    return true;
}

// The plain digits at `at`: their value, and `at` moved past them. False when there are none or more
// than `most` (whose value is then not exact).
inline bool plainNumber(const char*& at, const char* end, std::size_t most, std::uint64_t& value) {
    const char* const start = at;
    value = 0;
    std::uint64_t digit = 0;
    while (at < end && (digit = static_cast<std::uint64_t>(static_cast<unsigned char>(*at)) - '0') <= 9) {
        value = value * 10 + digit;
        ++at;
    }
    return at != start && static_cast<std::size_t>(at - start) <= most;
}
