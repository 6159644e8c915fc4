#include "report/FigureText.h"

#include "toolkit/Utf8.h"

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

std::string visibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = byte >= 0x20 && byte < 0x7F ? 1
                                   : byte >= 0x80              ? utf8CharacterAt(text.substr(at)).length
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
