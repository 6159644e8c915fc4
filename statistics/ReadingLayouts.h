// How the plugin reads the kept lines of a stats file: by the header's layout, or by its own.
#pragma once

#include "statsfile/Layout.h"

#include <string_view>

// The layouts the kept lines are read in. Below a header that names every column, every line is read by
// it. Below any other header the plugin appends its rows in its own layout, so a line that has exactly
// that layout's number of fields, where the header has another, is read in the plugin's layout; the
// other lines by the header's names. A first line that names no column at all is no header (it was cut
// or lost): every line is then read in the plugin's layout.
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
    StatsFileLayout header_;
    bool ownRowsApart_ = false; // lines may be the plugin's own rows below a header of another layout
};
