#include "hostsim/picture/Utf8Text.h"

namespace picture {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::u32string decodeUtf8(std::string_view text) {
    std::u32string decoded;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t value = 0, smallest = 0;
        if (lead < 0x80) {
            length = 1, value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, value = lead & 0x1Fu, smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, value = lead & 0x0Fu, smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, value = lead & 0x07u, smallest = 0x10000;
        }
        bool wellFormed = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            wellFormed = isContinuation(byte);
            value = (value << 6) | (byte & 0x3Fu);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not characters.
        if (wellFormed && (value < smallest || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF))
            wellFormed = false;
        if (!wellFormed) {
            decoded.push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        decoded.push_back(value);
        i += length;
    }
    return decoded;
}

} // namespace picture
