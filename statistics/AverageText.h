// The average of a statistic as the text a stat box shows.
#pragma once

#include <cstdint>
#include <string>

// A running sum of 32-bit statistics that wraps around on overflow, as a 32-bit signed sum would,
// without the undefined behaviour of overflowing one.
class WrappingSum {
public:
    void add(std::int32_t value) { bits_ += static_cast<std::uint32_t>(value); }
    std::int32_t value() const { return static_cast<std::int32_t>(bits_); }

private:
    std::uint32_t bits_ = 0;
};

// sum / count in fixed notation with two decimals and "." as the decimal point whatever the locale
// ("1.67", "1234.50", "-0.50"); "-" when no row was counted.
std::string averageText(std::int32_t sum, std::int32_t count);
