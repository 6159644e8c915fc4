// How a stats file's bytes hold its text: the encoding (UTF-8, or UTF-16 in either byte order after a
// byte-order mark), whether a byte-order mark starts it, and the line end its lines use. The separator
// is part of the layout (statsfile/Layout.h), since the header's names choose it. Reading and appending
// both go by this, so a row is appended in the form the file already has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class TextEncoding : std::uint8_t { utf8, utf16le, utf16be };

enum class LineEnd : std::uint8_t {
    lf,   // Unix, and files a text-mode stream wrote elsewhere
    crlf, // Windows
    cr,   // CR alone, as the old Macintosh CSV save ends its lines
};

// The line end of a file that says nothing of its own (a new one): what a text-mode stream writes here.
#if defined(_WIN32)
inline constexpr LineEnd kNativeLineEnd = LineEnd::crlf;
#else
inline constexpr LineEnd kNativeLineEnd = LineEnd::lf;
#endif

struct TextForm {
    TextEncoding encoding = TextEncoding::utf8;
    bool byteOrderMark = false;
    LineEnd lineEnd = kNativeLineEnd;

    bool operator==(const TextForm&) const = default;
};

std::string_view lineEndText(LineEnd lineEnd);

// The bytes of one character in the encoding: 1 for UTF-8's ASCII, 2 for UTF-16.
constexpr std::size_t codeUnitBytes(TextEncoding encoding) {
    return encoding == TextEncoding::utf8 ? 1 : 2;
}

// The byte-order mark as the encoding writes it.
std::string_view byteOrderMarkOf(TextEncoding encoding);

// What the first bytes of a file say about them.
struct FirstBytesVerdict {
    enum Kind : std::uint8_t {
        undecided, // more bytes are needed to tell
        text,      // text in `encoding`
        refused,   // no text the layout rule reads; `reason` says what it is instead
    } kind = undecided;
    TextEncoding encoding = TextEncoding::utf8;
    bool byteOrderMark = false;
    // For a refused file: what it is and what to do, to follow the file's name ("... is not a text file;
    // it looks like a workbook: save it as CSV").
    std::string reason;
};

// The most bytes a verdict looks at: the first line, up to this many bytes of it.
inline constexpr std::size_t kJudgedBytes = 4096;

// Judges the first bytes of a file, `wholeFile` when they are all it holds. A byte-order mark decides the
// encoding; without one the text is taken as UTF-8 (or a one-byte code page, read byte for byte), unless
// its first line holds a zero byte, which no such text ever holds: then the file is a workbook, UTF-16
// without a byte-order mark, or no text at all. Zero bytes further down (a power cut's damage) are no
// reason to refuse a file.
FirstBytesVerdict judgeFirstBytes(std::string_view first, bool wholeFile);

// Appends `utf8` to `bytes` in `encoding`. UTF-8 goes byte for byte, as the host handed it over; for
// UTF-16 a byte that does not belong to a UTF-8 character becomes U+FFFD.
void appendEncoded(std::string_view utf8, TextEncoding encoding, std::string& bytes);
