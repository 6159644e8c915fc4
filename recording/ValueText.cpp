#include "recording/ValueText.h"

#include <cmath>
#include <limits>

std::string fieldText(std::string value) {
    for (char& c : value)
        if (c == '\n' || c == '\r')
            c = ' ';
    return value;
}

std::int32_t wholeRating(float rating) {
    // Converting a float outside the target range is undefined, so those ends are settled first.
    constexpr float kTwoToThe31 = 2147483648.0f;
    if (std::isnan(rating))
        return 0;
    if (rating >= kTwoToThe31)
        return std::numeric_limits<std::int32_t>::max();
    if (rating < -kTwoToThe31)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rating);
}
