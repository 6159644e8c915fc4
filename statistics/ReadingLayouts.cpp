#include "statistics/ReadingLayouts.h"

#include "statsfile/FieldSplit.h"

#include <array>
#include <string>

namespace {

// Whether the line splits into exactly the plugin's own number of fields, as the plugin writes them.
bool hasOwnFieldCount(std::string_view line) {
    const StatsFileLayout& own = writtenLayout();
    std::array<std::string_view, kStatsColumnCount + 1> fields;
    std::string unquoted;
    return splitFields(line, own.separator, fields, fields.size(), unquoted) == own.fieldCount;
}

} // namespace

ReadingLayouts::ReadingLayouts(std::string_view header)
    : header_(layoutOfHeader(header)) {
    if (header_.namesNone())
        header_ = writtenLayout();
    else
        ownRowsApart_ = !header_.complete() && header_.fieldCount != writtenLayout().fieldCount;
}

const StatsFileLayout& ReadingLayouts::of(std::string_view line) const {
    return ownRowsApart_ && hasOwnFieldCount(line) ? writtenLayout() : header_;
}
