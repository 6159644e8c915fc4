// Cuts the bytes of a stats file, as they are read piece by piece (blocks of a whole file, or what a
// followed file gained), into lines of UTF-8 text for a reader of lines (anything with line(text) and
// tooLong(); statsfile/LineFeeder.h names the one for a RowReader). The bytes are decoded first
// (statsfile/FileText.h). The line end the first line ends with says how the file's lines end: LF or CR LF (a
// line is cut at each LF, and carriage returns before it are dropped), or CR alone (a line is cut at each CR,
// LF or CR LF, so that rows a program appended with LF or CR LF below the old Macintosh save's lines read
// too). A line that has no line end yet is held until it has one; a line longer than kLongestRowBytes is
// never held whole.
#pragma once

#include "statsfile/FileText.h"
#include "statsfile/StatsFileError.h"
#include "statsfile/TextForm.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// The line end the first line of `text` ends with, looked for from `from` on: none while no line end has
// come, or while a run of carriage returns reaches the end of `text` (a line feed may follow it), unless
// `atEnd`, when nothing more follows. `resume` is where a later look at a longer text may start again.
std::optional<LineEnd> firstLineEnd(std::string_view text, std::size_t from, bool atEnd, std::size_t& resume);

// Lines longer than this are damage; they are handed on without being held.
inline constexpr std::size_t kLongestRowBytes = 64 * 1024;
// A line's text may hold its line feed's carriage return too.
inline constexpr std::size_t kLongestHeldLine = kLongestRowBytes + 1;

// The line without the carriage returns before its line feed.
inline std::string_view withoutCarriageReturns(std::string_view line) {
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

template <class Lines> class BasicLineFeeder {
public:
    explicit BasicLineFeeder(Lines& lines)
        : lines_(lines) {}

    // Hands on every line that ends within `bytes`. False when the bytes do not continue what was read
    // before: a line handed on without its line end (unfinishedAsLine) has been continued. Throws
    // StatsFileError when the file's first bytes are no text the layout rule reads.
    bool feed(std::string_view bytes) { return !broken_ && cut(decoder_.text(bytes)); }

    // Whether the bytes fed end within a line (or within the first bytes, or within a character).
    bool hasUnfinished() const {
        return decoder_.holdsBytes() || !firstLine_.empty() || !carried_.empty() || carriedTooLong_;
    }
    // Hands on the unfinished line as it stands: at the end of the file, or when the file has not grown
    // for a while. Only a line end may follow it; anything else makes feed() return false.
    void unfinishedAsLine();

    // The line end of the file's first line, once it has come.
    std::optional<LineEnd> lineEnd() const { return lineEnd_; }
    // The encoding, once the first bytes told it.
    std::optional<TextEncoding> encoding() const { return decoder_.encoding(); }
    bool byteOrderMark() const { return decoder_.byteOrderMark(); }

private:
    bool cut(std::string_view text);
    bool takeLineEnd(std::string_view& text);
    bool decideLineEnd(bool atEnd);
    void cutFirstLine();
    void cutAtLineFeeds(std::string_view text);
    void cutAtAnyLineEnd(std::string_view text);
    void lineEnded(std::string_view piece);
    void carry(std::string_view piece);

    Lines& lines_;
    FileTextDecoder decoder_;
    std::optional<LineEnd> lineEnd_;
    std::string firstLine_; // the text, while its first line end has not told how lines end
    std::size_t scanFrom_ = 0;
    std::string carried_; // the start of a line that has no line end yet
    bool carriedTooLong_ = false;
    bool expectLineEnd_ = false;
    bool expectLineFeed_ = false;      // after a carriage return that followed such a line
    bool afterCarriageReturn_ = false; // CR alone ends lines, and a CR ended the last text: LF may follow
    bool broken_ = false;
};

template <class Lines> void BasicLineFeeder<Lines>::unfinishedAsLine() {
    if (!broken_ && !cut(decoder_.flush()))
        broken_ = true;
    if (!lineEnd_ && !firstLine_.empty()) {
        decideLineEnd(true);
        cutFirstLine();
    }
    if (carried_.empty() && !carriedTooLong_)
        return;
    const bool endedByCarriageReturn = !carriedTooLong_ && carried_.back() == '\r';
    lineEnded({});
    expectLineEnd_ = true;
    expectLineFeed_ = endedByCarriageReturn;
}

template <class Lines> bool BasicLineFeeder<Lines>::cut(std::string_view text) {
    if (text.empty())
        return true;
    if (expectLineEnd_ && !takeLineEnd(text))
        return false;
    if (lineEnd_ == LineEnd::cr) {
        cutAtAnyLineEnd(text);
        return true;
    }
    if (lineEnd_) {
        cutAtLineFeeds(text);
        return true;
    }
    // Until the first line end tells how lines end, the text is held as the first line.
    firstLine_.append(text);
    if (!decideLineEnd(false)) {
        if (firstLine_.size() <= kLongestHeldLine)
            return true;
        lineEnd_ = LineEnd::lf; // no line end in a first line far too long: it is cut as the rest would be
    }
    cutFirstLine();
    return true;
}

// Once the line end is told: the text held until then, cut by it.
template <class Lines> void BasicLineFeeder<Lines>::cutFirstLine() {
    const std::string first = std::move(firstLine_);
    firstLine_.clear();
    if (lineEnd_ == LineEnd::cr)
        cutAtAnyLineEnd(first);
    else
        cutAtLineFeeds(first);
}

// The line end that must follow a line handed on unfinished; false when the text begins otherwise.
template <class Lines> bool BasicLineFeeder<Lines>::takeLineEnd(std::string_view& text) {
    if (lineEnd_ == LineEnd::cr) {
        if (text.front() != '\r' && text.front() != '\n')
            return false;
        afterCarriageReturn_ = text.front() == '\r';
        text.remove_prefix(1);
        expectLineEnd_ = false;
        return true;
    }
    if (!expectLineFeed_ && text.front() == '\r') {
        expectLineFeed_ = true;
        text.remove_prefix(1);
    }
    if (!text.empty()) {
        if (text.front() != '\n')
            return false;
        text.remove_prefix(1);
        expectLineEnd_ = expectLineFeed_ = false;
    }
    return true;
}

template <class Lines> bool BasicLineFeeder<Lines>::decideLineEnd(bool atEnd) {
    std::size_t resume = scanFrom_;
    lineEnd_ = firstLineEnd(firstLine_, scanFrom_, atEnd, resume);
    scanFrom_ = resume;
    return lineEnd_.has_value();
}

template <class Lines> void BasicLineFeeder<Lines>::cutAtLineFeeds(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lineFeed) {
            carry(std::string_view(at, static_cast<std::size_t>(end - at)));
            break;
        }
        lineEnded(std::string_view(at, static_cast<std::size_t>(lineFeed - at)));
        at = lineFeed + 1;
    }
}

template <class Lines> void BasicLineFeeder<Lines>::cutAtAnyLineEnd(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    if (afterCarriageReturn_ && at < end) {
        afterCarriageReturn_ = false;
        if (*at == '\n')
            ++at;
    }
    while (at < end) {
        const char* lineEnd = at;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        if (lineEnd == end) {
            carry(std::string_view(at, static_cast<std::size_t>(end - at)));
            break;
        }
        lineEnded(std::string_view(at, static_cast<std::size_t>(lineEnd - at)));
        if (*lineEnd == '\r') {
            if (lineEnd + 1 == end)
                afterCarriageReturn_ = true;
            else if (lineEnd[1] == '\n')
                ++lineEnd;
        }
        at = lineEnd + 1;
    }
}

template <class Lines> void BasicLineFeeder<Lines>::lineEnded(std::string_view piece) {
    if (carriedTooLong_) {
        lines_.tooLong();
    } else if (!carried_.empty()) {
        carried_.append(piece);
        if (carried_.size() > kLongestHeldLine)
            lines_.tooLong();
        else
            lines_.line(withoutCarriageReturns(carried_));
    } else if (piece.size() > kLongestHeldLine) {
        lines_.tooLong();
    } else {
        lines_.line(withoutCarriageReturns(piece));
    }
    carried_.clear();
    carriedTooLong_ = false;
}

template <class Lines> void BasicLineFeeder<Lines>::carry(std::string_view piece) {
    if (!carriedTooLong_ && carried_.size() + piece.size() <= kLongestHeldLine) {
        carried_.append(piece);
    } else {
        carriedTooLong_ = true;
        carried_.clear();
    }
}
