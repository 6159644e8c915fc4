// How the plugin reads the kept lines of a stats file: by the header's layout, or by its own.
#pragma once

#include "statsfile/Layout.h"

#include <string_view>

// The layouts the kept lines are read in. Below a header that names every column, every line is read by
// it. Below any other header the plugin appends its rows in its own order, separated as the header is
// (or, written by earlier versions, by commas), so a line that has exactly the fields of one of the
// plugin's own layouts (every column, or the required ones it wrote before the others were added) is
// read in the plugin's order: where the header has another number of fields, every such line; where it
// has as many, a line whose fields are also what the plugin writes where it writes them (the flags 0 or 1,
// the time a number), so that the player's own lines keep their reading by the header. The other lines are
// read by the header's names. A first line that names no column at all is no header (it was cut or
// lost): every line is then read in the plugin's layout.
class ReadingLayouts {
public:
    explicit ReadingLayouts(std::string_view header);

    const StatsFileLayout& header() const { return header_; }
    // Whether lines read by these layouts can hold the column: the header names it, or the plugin's
    // own rows may stand below it.
    bool reach(StatsColumn column) const { return ownRowsApart_ || header_.has(column); }
    // The layout of one data line.
    const StatsFileLayout& of(std::string_view line) const;

private:
    bool isOwnRow(std::string_view line, const StatsFileLayout& own) const;

    StatsFileLayout header_;
    StatsFileLayout ownSeparated_; // the plugin's order, the header's separator
    bool ownRowsApart_ = false;    // lines may be the plugin's own rows below a header of another layout
    bool sameFieldCount_ = false;  // the header has as many fields as the plugin's rows
};
