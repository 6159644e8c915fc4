#include "report/FigureText.h"

#include <cstdio>

std::string groupedNumber(std::int64_t number) {
    const std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    const std::string digits = std::to_string(magnitude);
    std::string grouped;
    if (number < 0)
        grouped.push_back('-');
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[at]);
    }
    return grouped;
}

std::string percentText(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0)
        return "-";
    // Tenths of a percent, rounded half up, in whole numbers: no binary fraction decides a tie.
    const std::uint64_t tenths = (2000 * part + whole) / (2 * whole);
    std::string text = std::to_string(tenths / 10);
    text.append(1, '.').append(std::to_string(tenths % 10)).append(1, '%');
    return text;
}

std::string countText(std::uint64_t count, std::string_view one, std::string_view many) {
    std::string text = groupedNumber(static_cast<std::int64_t>(count));
    text.append(1, ' ').append(count == 1 ? one : many);
    return text;
}

namespace {

// The length of the UTF-8 sequence at the start of `text`, or 0 when it is none (a stray continuation
// byte, an overlong form, a surrogate, beyond U+10FFFF, or cut short).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t at = 1; at < length; ++at) {
        const auto next = static_cast<unsigned char>(text[at]);
        if (next < (at == 1 ? low : 0x80) || next > (at == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

} // namespace

std::string visibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = byte >= 0x20 && byte < 0x7F ? 1
                                   : byte >= 0x80              ? utf8SequenceLength(text.substr(at))
                                                               : 0;
        // C1 controls (U+0080 to U+009F) act in some terminals as their escape sequences do.
        const bool c1Control = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
        if (length == 0 || c1Control) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
            ++at;
        } else {
            shown.append(text.substr(at, length));
            at += length;
        }
    }
    return shown;
}
