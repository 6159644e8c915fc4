// Turns UTF-16 bytes into UTF-8 text as they are read, block by block: a byte or a high surrogate left
// at a block's end is carried over to the next block, so a character split across two blocks reads as
// one. What does not decode (a lone surrogate, an odd byte at the very end) becomes U+FFFD.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian)
        : bigEndian_(bigEndian) {}

    // Appends the text of `bytes` to `text`.
    void decode(std::string_view bytes, std::string& text);
    // At the end of the bytes: appends U+FFFD for what is carried, and carries nothing more.
    void finish(std::string& text);
    // Whether a byte or a high surrogate waits for the bytes after it.
    bool carries() const { return oddByte_.has_value() || highSurrogate_ != 0; }

private:
    void unit(std::uint16_t value, std::string& text);

    bool bigEndian_;
    std::optional<unsigned char> oddByte_;
    std::uint16_t highSurrogate_ = 0;
};
