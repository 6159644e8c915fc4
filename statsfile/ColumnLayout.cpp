#include "statsfile/ColumnLayout.h"

#include <optional>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Only the written date text is not read: the report shows times from the Time column.
constexpr bool isRequired(StatsColumn column) {
    return column != StatsColumn::Timestamp;
}

std::string missingColumns(const ColumnLayout& layout) {
    std::string missing;
    for (const StatsColumnDescription& description : kStatsColumns) {
        if (isRequired(description.column) && layout.of(description.column) == kAbsentColumn) {
            if (!missing.empty())
                missing += ", ";
            missing += description.name;
        }
    }
    return missing;
}

} // namespace

ColumnLayout layoutOf(std::string_view header) {
    ColumnLayout layout;
    layout.position.fill(kAbsentColumn);
    if (header.starts_with(kUtf8ByteOrderMark))
        header.remove_prefix(kUtf8ByteOrderMark.size());
    std::size_t index = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = header.find(',', start);
        const std::string_view name =
            header.substr(start, comma == std::string_view::npos ? header.npos : comma - start);
        if (const std::optional<StatsColumn> column = columnNamed(name))
            layout.position[writtenPosition(*column)] = index;
        ++index;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    layout.fieldCount = index;
    layout.missing = missingColumns(layout);
    return layout;
}
