#include "statsfile/RowWriting.h"

#include <vector>

std::string separatedField(std::string_view value, char separator) {
    if (value.find(separator) == std::string_view::npos && value.find('"') == std::string_view::npos)
        return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted += '"';
}

std::string rowLine(const ColumnValues& values, const StatsFileLayout& layout) {
    std::vector<const std::string*> fields(layout.fieldCount, nullptr);
    for (const StatsColumnDescription& description : kStatsColumns)
        if (layout.has(description.column))
            fields[layout.of(description.column)] = &values[writtenPosition(description.column)];
    std::string line;
    for (std::size_t at = 0; at < fields.size(); ++at) {
        if (at > 0)
            line += layout.separator;
        if (fields[at])
            line += separatedField(*fields[at], layout.separator);
    }
    return line;
}
