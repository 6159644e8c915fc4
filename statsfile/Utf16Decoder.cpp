#include "statsfile/Utf16Decoder.h"

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

void appendUtf8(std::uint32_t value, std::string& text) {
    if (value < 0x80) {
        text += static_cast<char>(value);
    } else if (value < 0x800) {
        text += static_cast<char>(0xC0 | (value >> 6));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        text += static_cast<char>(0xE0 | (value >> 12));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (value >> 18));
        text += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    }
}

bool isHighSurrogate(std::uint16_t value) {
    return value >= 0xD800 && value < 0xDC00;
}

bool isLowSurrogate(std::uint16_t value) {
    return value >= 0xDC00 && value < 0xE000;
}

} // namespace

void Utf16Decoder::decode(std::string_view bytes, std::string& text) {
    // Most characters of a stats file are ASCII: one UTF-8 byte for two UTF-16 bytes.
    text.reserve(text.size() + bytes.size() / 2 + 4);
    std::size_t at = 0;
    if (oddByte_ && !bytes.empty()) {
        const auto second = static_cast<unsigned char>(bytes[0]);
        const unsigned char first = *oddByte_;
        oddByte_.reset();
        unit(static_cast<std::uint16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first), text);
        at = 1;
    }
    for (; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        unit(static_cast<std::uint16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first), text);
    }
    if (at < bytes.size())
        oddByte_ = static_cast<unsigned char>(bytes[at]);
}

void Utf16Decoder::finish(std::string& text) {
    if (highSurrogate_ != 0)
        appendUtf8(kReplacement, text);
    if (oddByte_)
        appendUtf8(kReplacement, text);
    highSurrogate_ = 0;
    oddByte_.reset();
}

void Utf16Decoder::unit(std::uint16_t value, std::string& text) {
    if (highSurrogate_ != 0) {
        const std::uint16_t high = highSurrogate_;
        highSurrogate_ = 0;
        if (isLowSurrogate(value)) {
            appendUtf8(0x10000 + ((static_cast<std::uint32_t>(high) - 0xD800) << 10) + (value - 0xDC00u),
                       text);
            return;
        }
        appendUtf8(kReplacement, text); // a high surrogate without its low one
    }
    if (isHighSurrogate(value))
        highSurrogate_ = value;
    else if (isLowSurrogate(value))
        appendUtf8(kReplacement, text);
    else
        appendUtf8(value, text);
}
