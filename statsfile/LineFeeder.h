// Cuts the bytes of a stats file, as they are read piece by piece (blocks of a whole file, or what a
// followed file gained), into lines for a RowReader. A line
// that has no line end yet is held until it has one; a line longer than the reader takes is never held
// whole. CR LF and LF line ends read alike.
#pragma once

#include "statsfile/RowReader.h"

#include <string>
#include <string_view>

class LineFeeder {
public:
    explicit LineFeeder(RowReader& reader)
        : reader_(reader) {}

    // Hands on every line that ends within `bytes`. False when the bytes do not continue what was read
    // before: a line handed on without its line end (unfinishedAsLine) has been continued.
    bool feed(std::string_view bytes);

    // Whether the bytes fed end within a line.
    bool hasUnfinished() const { return !carried_.empty() || carriedTooLong_; }
    // Hands on the unfinished line as it stands: at the end of the file, or when the file has not grown
    // for a while. Only a line end may follow it; anything else makes feed() return false.
    void unfinishedAsLine();

private:
    void lineEnded(std::string_view piece);
    void carry(std::string_view piece);

    RowReader& reader_;
    std::string carried_; // the start of a line that has no line end yet
    bool carriedTooLong_ = false;
    bool expectLineEnd_ = false;
    bool expectLineFeed_ = false; // after a carriage return that followed such a line
};
