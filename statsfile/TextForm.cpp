#include "statsfile/TextForm.h"

#include <algorithm>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark{"\xFF\xFE\x00\x00", 4};
constexpr std::string_view kUtf32BeMark{"\x00\x00\xFE\xFF", 4};
// A zip archive's local header (.xlsx, .ods) and an OLE compound file's signature (.xls).
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kOleSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

constexpr std::string_view kSaveAsText = "save it as CSV (UTF-8) or as Unicode text";

FirstBytesVerdict textIn(TextEncoding encoding, bool byteOrderMark) {
    return {FirstBytesVerdict::text, encoding, byteOrderMark, {}};
}

FirstBytesVerdict refusal(std::string reason) {
    return {FirstBytesVerdict::refused, TextEncoding::utf8, false, std::move(reason)};
}

// Whether `first` and `mark` agree as far as both go.
bool mayStartWith(std::string_view first, std::string_view mark) {
    const std::size_t shared = std::min(first.size(), mark.size());
    return first.substr(0, shared) == mark.substr(0, shared);
}

// UTF-16 without a byte-order mark: a text of the Latin script has a zero in every other byte, in the
// high byte of each character. The byte order for which that holds, if one does.
std::string_view utf16WithoutMark(std::string_view line) {
    const std::size_t pairs = std::min<std::size_t>(line.size() / 2, 64);
    if (pairs < 2)
        return {};
    std::size_t zeroFirst = 0;
    std::size_t zeroSecond = 0;
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        zeroFirst += line[2 * pair] == '\0' ? 1u : 0u;
        zeroSecond += line[2 * pair + 1] == '\0' ? 1u : 0u;
    }
    const auto mostly = [pairs](std::size_t count) { return count * 4 >= pairs * 3; };
    if (mostly(zeroSecond) && zeroFirst == 0)
        return "little-endian";
    if (mostly(zeroFirst) && zeroSecond == 0)
        return "big-endian";
    return {};
}

} // namespace

std::string_view lineEndText(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::lf:
        return "\n";
    case LineEnd::crlf:
        return "\r\n";
    case LineEnd::cr:
        return "\r";
    }
    return "\n";
}

std::string_view byteOrderMarkOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::utf8:
        return kUtf8Mark;
    case TextEncoding::utf16le:
        return kUtf16LeMark;
    case TextEncoding::utf16be:
        return kUtf16BeMark;
    }
    return kUtf8Mark;
}

FirstBytesVerdict judgeFirstBytes(std::string_view first, bool wholeFile) {
    // Bytes that may still become a mark or a signature wait for the rest of it; UTF-16 LE's mark waits
    // for the two bytes that would make it UTF-32 LE's.
    const auto mayBecome = [&](std::string_view mark) {
        return first.size() < mark.size() && mayStartWith(first, mark);
    };
    if (!wholeFile && (mayBecome(kUtf32LeMark) || mayBecome(kUtf32BeMark) || mayBecome(kUtf8Mark) ||
                       mayBecome(kUtf16BeMark) || mayBecome(kZipSignature)))
        return {};
    if (first.starts_with(kUtf32LeMark) || first.starts_with(kUtf32BeMark))
        return refusal("is UTF-32 text, which Tallyglass does not read: " + std::string(kSaveAsText));
    if (first.starts_with(kUtf8Mark))
        return textIn(TextEncoding::utf8, true);
    if (first.starts_with(kUtf16LeMark))
        return textIn(TextEncoding::utf16le, true);
    if (first.starts_with(kUtf16BeMark))
        return textIn(TextEncoding::utf16be, true);
    if (first.starts_with(kZipSignature))
        return refusal("is not a text file; it looks like a workbook (.xlsx or .ods) saved under its name: "
                       "save it as CSV");
    if (first.starts_with(kOleSignature))
        return refusal("is not a text file; it looks like an Excel 97-2003 workbook (.xls) saved under its "
                       "name: save it as CSV");

    // The first line, as far as it is judged. UTF-16's line feed has its zero byte beside it, so the
    // line is cut at the line end's own byte. (Two byte searches: far quicker than a search for either.)
    const std::string_view judged = first.substr(0, kJudgedBytes);
    const std::size_t lineFeed = judged.find('\n');
    const std::size_t lineEnd = std::min(lineFeed, judged.substr(0, lineFeed).find('\r'));
    const std::string_view line = judged.substr(0, lineEnd);
    if (line.find('\0') == std::string_view::npos) {
        if (lineEnd == std::string_view::npos && first.size() < kJudgedBytes && !wholeFile)
            return {}; // its first line may hold a zero byte yet
        return textIn(TextEncoding::utf8, false);
    }
    if (const std::string_view order = utf16WithoutMark(line); !order.empty())
        return refusal(
            "is UTF-16 text (" + std::string(order) +
            ") without a byte-order mark, which Tallyglass does not read: " + std::string(kSaveAsText));
    if (line.find_first_not_of('\0') == std::string_view::npos)
        return refusal(
            "is not a text file: it begins with zero bytes, as a write cut short by a power failure "
            "leaves a file; restore it from a backup, or move it away to start a new one");
    return refusal("is not a text file: its first line holds zero bytes, which no text holds (a file of "
                   "another kind saved under its name?); save it as CSV");
}

void appendEncoded(std::string_view utf8, TextEncoding encoding, std::string& bytes) {
    if (encoding == TextEncoding::utf8) {
        bytes.append(utf8);
        return;
    }
    const bool bigEndian = encoding == TextEncoding::utf16be;
    const auto unit = [&](std::uint32_t value) {
        const char high = static_cast<char>((value >> 8) & 0xFF);
        const char low = static_cast<char>(value & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        std::size_t length = 0;
        std::uint32_t value = 0;
        std::uint32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            value = lead & 0x1Fu;
            least = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            value = lead & 0x0Fu;
            least = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            value = lead & 0x07u;
            least = 0x10000;
        }
        bool whole = length > 0 && at + length <= utf8.size();
        for (std::size_t next = 1; whole && next < length; ++next) {
            const auto continuation = static_cast<unsigned char>(utf8[at + next]);
            whole = (continuation & 0xC0) == 0x80;
            value = (value << 6) | (continuation & 0x3Fu);
        }
        if (!whole || value < least || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
            unit(kReplacement);
            ++at; // the next byte starts afresh
            continue;
        }
        if (value >= 0x10000) {
            value -= 0x10000;
            unit(0xD800 + (value >> 10));
            unit(0xDC00 + (value & 0x3FF));
        } else {
            unit(value);
        }
        at += length;
    }
}
