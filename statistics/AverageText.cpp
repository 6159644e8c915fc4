#include "statistics/AverageText.h"

#include <array>
#include <charconv>

std::string averageText(std::int64_t sum, std::int32_t count) {
    if (count == 0)
        return "-";
    const double average = static_cast<double>(sum) / static_cast<double>(count);
    // Room for the sign, the nineteen digits of any 64-bit sum, the point and two decimals.
    std::array<char, 32> text{};
    const std::to_chars_result result =
        std::to_chars(text.data(), text.data() + text.size(), average, std::chars_format::fixed, 2);
    return std::string(text.data(), result.ptr);
}
