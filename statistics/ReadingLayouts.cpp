#include "statistics/ReadingLayouts.h"

#include "statsfile/FieldSplit.h"

#include <array>
#include <string>

namespace {

// The plugin's own layouts: of every column, as it writes now, and of the required ones, as it wrote
// before the others were added. The first columns stand at the same places in both.
bool isOwnFieldCount(std::size_t count) {
    return count == writtenLayout().fieldCount || count == requiredColumnsLayout().fieldCount;
}

// Whether the line splits into exactly the number of fields of one of the plugin's own layouts.
bool hasOwnFieldCount(std::string_view line) {
    std::array<std::string_view, kStatsColumnCount + 1> fields;
    std::string unquoted;
    return isOwnFieldCount(splitFields(line, writtenLayout().separator, fields, fields.size(), unquoted));
}

} // namespace

ReadingLayouts::ReadingLayouts(std::string_view header)
    : header_(layoutOfHeader(header)) {
    if (header_.namesNone())
        header_ = writtenLayout();
    else
        ownRowsApart_ = !header_.complete() && !isOwnFieldCount(header_.fieldCount);
}

const StatsFileLayout& ReadingLayouts::of(std::string_view line) const {
    return ownRowsApart_ && hasOwnFieldCount(line) ? writtenLayout() : header_;
}
