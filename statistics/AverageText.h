// The average of a statistic as the text a stat box shows.
#pragma once

#include <cstdint>
#include <string>

// sum / count in fixed notation with two decimals and "." as the decimal point whatever the locale
// ("1.67", "1234.50", "-0.50"); "-" when no row was counted. The sum is 64 bits wide, so that ten
// statistics at the ends of the 32-bit range add up without wrapping around.
std::string averageText(std::int64_t sum, std::int32_t count);
