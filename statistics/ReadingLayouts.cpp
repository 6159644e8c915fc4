#include "statistics/ReadingLayouts.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"

#include <array>
#include <string>

namespace {

// Whether the cell is what the plugin writes for a yes-or-no column.
bool isFlag(std::string_view cell) {
    return cell == "0" || cell == "1";
}

// The plugin's own layouts: of every column, as it writes now, and of the required ones, as it wrote
// before the others were added. The first columns stand at the same places in both.
bool isOwnFieldCount(std::size_t count) {
    return count == writtenLayout().fieldCount || count == requiredColumnsLayout().fieldCount;
}

} // namespace

ReadingLayouts::ReadingLayouts(std::string_view header)
    : header_(layoutOfHeader(header))
    , ownSeparated_(writtenLayout()) {
    if (header_.namesNone()) {
        header_ = writtenLayout();
        return;
    }
    ownRowsApart_ = !header_.complete();
    sameFieldCount_ = isOwnFieldCount(header_.fieldCount);
    ownSeparated_.separator = header_.separator;
}

const StatsFileLayout& ReadingLayouts::of(std::string_view line) const {
    if (!ownRowsApart_)
        return header_;
    if (isOwnRow(line, ownSeparated_))
        return ownSeparated_;
    if (ownSeparated_.separator != writtenLayout().separator && isOwnRow(line, writtenLayout()))
        return writtenLayout();
    return header_;
}

// Whether the line splits into exactly the plugin's own number of fields, as the plugin writes them;
// below a header of as many fields, also with the plugin's cells where the plugin puts them.
bool ReadingLayouts::isOwnRow(std::string_view line, const StatsFileLayout& own) const {
    std::array<std::string_view, kStatsColumnCount + 1> fields;
    std::string unquoted;
    if (!isOwnFieldCount(splitFields(line, own.separator, fields, fields.size(), unquoted)))
        return false;
    if (!sameFieldCount_)
        return true;
    const auto cell = [&](StatsColumn column) { return fields[own.of(column)]; };
    return isFlag(cell(StatsColumn::Ranked)) && isFlag(cell(StatsColumn::Mvp)) &&
           isFlag(cell(StatsColumn::Win)) && strictInt64(cell(StatsColumn::Time)).has_value();
}
