#include "statsfile/LineCutting.h"

#include <algorithm>

std::optional<LineEnd> firstLineEnd(std::string_view text, std::size_t from, bool atEnd,
                                    std::size_t& resume) {
    // The first LF, then the first CR before it: two byte searches, far quicker than a loop over bytes.
    const std::string_view rest = text.substr(std::min(from, text.size()));
    const std::size_t lineFeed = rest.find('\n');
    const std::size_t carriageReturn = rest.substr(0, lineFeed).find('\r');
    if (carriageReturn == std::string_view::npos) {
        if (lineFeed != std::string_view::npos)
            return LineEnd::lf;
        resume = text.size();
        return std::nullopt;
    }
    // A run of carriage returns before a line feed is a CR LF end (CR CR LF too: a CR LF text written
    // once more through a text-mode stream); before anything else, CR alone ends lines.
    const std::size_t at = text.size() - rest.size() + carriageReturn;
    std::size_t after = at;
    while (after < text.size() && text[after] == '\r')
        ++after;
    if (after == text.size()) {
        resume = at;
        return atEnd ? std::optional<LineEnd>(LineEnd::cr) : std::nullopt;
    }
    return text[after] == '\n' ? LineEnd::crlf : LineEnd::cr;
}
