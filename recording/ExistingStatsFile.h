// What the plugin must know of a stats file that already holds bytes before it appends a row: whether it
// is text it may append to, the form of that text (encoding, byte-order mark, line end), its first line,
// and what an open last line needs so that the row starts a line of its own.
#pragma once

#include "statsfile/TextForm.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

struct ExistingStatsFile {
    enum Kind : std::uint8_t {
        text,       // text in `form`
        refused,    // no text the layout rule reads: never appended to; `refusal` says what it is
        unreadable, // could not be read just now: its form is unknown, so nothing is appended
    } kind = unreadable;
    TextForm form;
    // The first line as UTF-8, without its line end; none when it cannot be read or is far too long
    // (no line end in its first 64 KiB).
    std::optional<std::string> header;
    bool firstLineTooLong = false;
    bool holdsNoText = false; // nothing but perhaps a byte-order mark: it needs the header first
    // Bytes that complete the half of a character a UTF-16 file ends in (its byte count is odd), written
    // as they stand before anything else.
    std::string completingBytes;
    // Text that ends the last line before the row, when it has no line end yet (or only the CR of a
    // CR LF): empty when it has one.
    std::string lineEndBeforeRow;
    std::string refusal;
};

// Looks at the first and last bytes of `file`, which holds `size` bytes.
ExistingStatsFile examineStatsFile(const std::filesystem::path& file, std::uintmax_t size);
