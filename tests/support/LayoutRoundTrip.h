// The stats file's layout tested by a round trip: a header made from any order of the columns (some
// left out, some named twice, a player's own names among them), any of the three separators, quoted or
// not, with blanks, a byte-order mark or a carriage return; then a row of any values written in that
// layout, saved with the header in any form (UTF-8 with or without a byte-order mark, UTF-16 in either
// byte order; LF, CR LF or CR), read back through the line feeder in two pieces cut anywhere, and split
// again. Shared by the unit test, which draws many cases, and the fuzz target, which takes them from its
// input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Reads a case's choices from bytes; past their end every choice is 0.
class ChoiceBytes {
public:
    explicit ChoiceBytes(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}

    std::uint8_t next() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
    bool flag() { return (next() & 1) != 0; }
    // A number below `bound` (which is at least 1).
    std::size_t below(std::size_t bound) { return next() % bound; }
    // Text of up to `most` bytes, any byte but a line break, into `value`.
    void text(std::size_t most, std::string& value);
    bool exhausted() const { return at_ >= bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// Plays one case; returns what went wrong, or an empty text when the round trip held.
std::string layoutRoundTripFailure(ChoiceBytes& choices);

// Cells of any bytes through both conversions: what the strict one takes as a number, the lenient one
// reads alike. Returns what went wrong, or an empty text.
std::string cellConversionFailure(std::string_view cell);
