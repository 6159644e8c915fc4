#include "statsfile/LineCutting.h"

std::optional<LineEnd> firstLineEnd(std::string_view text, std::size_t from, bool atEnd,
                                    std::size_t& resume) {
    for (std::size_t at = from; at < text.size(); ++at) {
        if (text[at] == '\n')
            return LineEnd::lf;
        if (text[at] != '\r')
            continue;
        // A run of carriage returns before a line feed is a CR LF end (CR CR LF too: a CR LF text
        // written once more through a text-mode stream); before anything else, CR alone ends lines.
        std::size_t after = at;
        while (after < text.size() && text[after] == '\r')
            ++after;
        if (after == text.size()) {
            resume = at;
            return atEnd ? std::optional<LineEnd>(LineEnd::cr) : std::nullopt;
        }
        return text[after] == '\n' ? LineEnd::crlf : LineEnd::cr;
    }
    resume = text.size();
    return std::nullopt;
}
