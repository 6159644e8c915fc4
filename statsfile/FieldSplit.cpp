#include "statsfile/FieldSplit.h"

#include <algorithm>

namespace {

constexpr char kQuote = '"';

// One field of a line as it stands there: from `begin` to `end` (the separator after it, or the line's
// end), quoted when it begins with a double quote.
struct Piece {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool quoted = false;
};

// The piece that starts at `begin`. A quoted piece runs to its closing quote (a doubled quote is not
// one) and on to the next separator; without a closing quote it runs to the line's end.
Piece pieceAt(std::string_view line, std::size_t begin, char separator) {
    Piece piece{begin, begin, begin < line.size() && line[begin] == kQuote};
    std::size_t at = begin;
    if (piece.quoted) {
        for (at = begin + 1; at < line.size(); ++at) {
            if (line[at] != kQuote)
                continue;
            if (at + 1 < line.size() && line[at + 1] == kQuote)
                ++at;
            else
                break;
        }
    }
    const std::size_t next = line.find(separator, std::min(at, line.size()));
    piece.end = next == std::string_view::npos ? line.size() : next;
    return piece;
}

// Walks the pieces of a line in order. A separator at the very end starts no further piece.
class Pieces {
public:
    Pieces(std::string_view line, char separator)
        : line_(line)
        , separator_(separator) {}

    bool next(Piece& piece) {
        if (done_)
            return false;
        piece = pieceAt(line_, at_, separator_);
        if (piece.end >= line_.size())
            done_ = true;
        else if (piece.end + 1 == line_.size())
            done_ = true; // the final separator starts nothing
        at_ = piece.end + 1;
        return true;
    }

private:
    std::string_view line_;
    char separator_;
    std::size_t at_ = 0;
    bool done_ = false;
};

std::size_t countPieces(std::string_view line, char separator) {
    if (line.empty())
        return 0;
    Pieces pieces(line, separator);
    Piece piece;
    std::size_t count = 0;
    while (pieces.next(piece))
        ++count;
    return count;
}

// The text of a quoted piece: inside the quotes with each doubled quote as one, then whatever follows
// the closing quote; appended to `unquoted`, which has room reserved, so earlier views stay valid.
std::string_view unquote(std::string_view line, const Piece& piece, std::string& unquoted) {
    const std::size_t start = unquoted.size();
    std::size_t at = piece.begin + 1;
    for (; at < piece.end; ++at) {
        if (line[at] == kQuote) {
            if (at + 1 < piece.end && line[at + 1] == kQuote) {
                unquoted += kQuote;
                ++at;
                continue;
            }
            ++at; // the closing quote
            break;
        }
        unquoted += line[at];
    }
    unquoted.append(line.substr(at, piece.end - std::min(at, piece.end)));
    return std::string_view(unquoted).substr(start);
}

} // namespace

std::size_t splitFields(std::string_view line, char separator, std::span<std::string_view> fields,
                        std::size_t joinPosition, std::string& unquoted) {
    unquoted.clear();
    if (line.empty() || fields.empty())
        return 0;
    // Never more unquoted text than the line holds: no reallocation moves what earlier views point at.
    if (line.find(kQuote) != std::string_view::npos)
        unquoted.reserve(line.size());
    const std::size_t total = countPieces(line, separator);
    const std::size_t surplus = total > fields.size() ? total - fields.size() : 0;

    Pieces pieces(line, separator);
    Piece piece;
    std::size_t count = 0;
    while (count < fields.size() && pieces.next(piece)) {
        if (count == joinPosition && surplus > 0) {
            // The title and the pieces its unquoted separators cut off, as they stand in the line.
            const std::size_t begin = piece.begin;
            std::size_t joined = 0;
            while (joined < surplus && pieces.next(piece))
                ++joined;
            fields[count++] = line.substr(begin, piece.end - begin);
            continue;
        }
        fields[count++] =
            piece.quoted ? unquote(line, piece, unquoted) : line.substr(piece.begin, piece.end - piece.begin);
    }
    return count;
}
