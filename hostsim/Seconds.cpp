#include "hostsim/Seconds.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Plain decimal notation ([+-]digits[.digits]) read digit by digit, so 0.1 is exactly 100000
// microseconds; sets `micros` and returns false for any other notation. The count stops growing once
// it is past the latest clock, which keeps it from overflowing.
bool readPlainDecimal(const std::string& text, bool& negative, long long& micros) {
    std::size_t i = 0;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long whole = 0;
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
        whole = std::min(whole * 10 + (text[i] - '0'), kLatestClockSeconds + 1);
    long long fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, digits = true) {
            if (fractionDigits < 6) {
                fraction = fraction * 10 + (text[i] - '0');
                ++fractionDigits;
            } else if (fractionDigits == 6) {
                roundUp = text[i] >= '5';
                ++fractionDigits;
            }
        }
    }
    if (!digits || i != text.size())
        return false;
    for (int scale = std::min(fractionDigits, 6); scale < 6; ++scale)
        fraction *= 10;
    micros = whole * 1000000 + fraction + (roundUp ? 1 : 0);
    return true;
}

} // namespace

std::chrono::microseconds parseSeconds(const std::string& text, const std::string& what) {
    // Appended rather than written "'" + text + "'": GCC 12 at -O3 reports a false -Wrestrict overlap
    // for a literal + std::string concatenation here.
    std::string shown(1, '\'');
    shown.append(displayText(text)).append(1, '\'');
    bool negative = false;
    long long micros = 0;
    if (!readPlainDecimal(text, negative, micros)) {
        // Other notations a number may be written in (1e3, 2.5E-1) go through a double.
        double value = 0;
        const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
        const char* end = text.data() + text.size();
        auto [stop, problem] = std::from_chars(begin, end, value);
        if (begin == end || stop != end ||
            (problem != std::errc() && problem != std::errc::result_out_of_range))
            refuse(what + " must be a decimal number of seconds, not " + shown);
        if (problem == std::errc::result_out_of_range) {
            // Too far from 1 for a double: tiny when the exponent is negative, else immense.
            const bool tiny = text.find("e-") != std::string::npos || text.find("E-") != std::string::npos;
            value = tiny ? 0.0 : HUGE_VAL;
            if (text[0] == '-')
                value = -value;
        } else if (!std::isfinite(value)) {
            refuse(what + " must be a decimal number of seconds, not " + shown);
        }
        negative = value < 0;
        const double magnitude = std::fabs(value) * 1e6;
        micros = magnitude > static_cast<double>(kLatestClock.count()) ? kLatestClock.count() + 1
                                                                       : std::llround(magnitude);
    }
    if (negative && micros != 0)
        refuse(what + " must not be negative, not " + shown);
    if (micros > kLatestClock.count())
        refuse(what + " must be at most " + std::to_string(kLatestClockSeconds) +
               " seconds (the end of the year 9999), not " + shown);
    return std::chrono::microseconds(micros);
}
