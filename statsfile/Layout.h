// Where each column stands in the lines below a header, and how those lines separate and quote their
// fields. Every program that reads or appends to a stats file finds its columns by this one rule.
//
// Reading a header (as UTF-8 text: statsfile/FileText.h decodes a UTF-16 file's bytes first): an optional
// byte-order mark; the separator is ",", ";" or a tab, whichever of those the header holds splits it into
// the most of the column names (a spreadsheet in a European locale saves with ";", its "Unicode text"
// with tabs; "," wins a tie, then ";"; a header holding none is one field); a field may be quoted as
// spreadsheets quote it (in double quotes, a quote inside doubled); blanks around a name are not part of it.
// A name the header gives twice stands at its later place. A name the header lacks is missing: no reader ever
// takes another column's field for it. How the file's bytes hold that text (encoding, line end) is its
// TextForm (statsfile/TextForm.h).
#pragma once

#include "statsfile/Columns.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kAbsentColumn = static_cast<std::size_t>(-1);

struct StatsFileLayout {
    char separator = ',';
    std::size_t fieldCount = 0;                          // the header's fields, known names or not
    std::array<std::size_t, kStatsColumnCount> position; // kAbsentColumn where the header lacks it

    StatsFileLayout() { position.fill(kAbsentColumn); }

    std::size_t of(StatsColumn column) const { return position[writtenPosition(column)]; }
    bool has(StatsColumn column) const { return of(column) != kAbsentColumn; }
    // Names every column a file must have (so rows can be appended in its own order); a column a file
    // may lack is written where the header names it, and left out where it does not.
    bool complete() const;
    // Names none of the columns: no header at all, or one in another language.
    bool namesNone() const;
    // The names of the columns it lacks that `wanted` accepts, joined by ", ".
    template <class Wanted> std::string missingNames(Wanted wanted) const;
    // The names of the required columns it lacks.
    std::string missingNames() const {
        return missingNames([](StatsColumn column) { return isRequired(column); });
    }
};

// The layout of a new file: the writer's column order, separated by commas.
const StatsFileLayout& writtenLayout();

// The layout of a file the plugin wrote before the columns a file may lack were added: the required
// columns in the writer's order, separated by commas.
const StatsFileLayout& requiredColumnsLayout();

// The header line of a new file, without line end.
std::string writtenHeaderLine();

// The layout a header line gives (its line end already removed; a carriage return left at its end is
// ignored too).
StatsFileLayout layoutOfHeader(std::string_view header);

template <class Wanted> std::string StatsFileLayout::missingNames(Wanted wanted) const {
    std::string names;
    for (const StatsColumnDescription& description : kStatsColumns) {
        if (has(description.column) || !wanted(description.column))
            continue;
        if (!names.empty())
            names += ", ";
        names += description.name;
    }
    return names;
}
