#include "recording/RowText.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// The columns a repeated match-ended event gives anew: the moment of the capture.
bool isCaptureMoment(const std::string& column) {
    const std::optional<StatsColumn> named = columnNamed(column);
    return named && describe(*named).source == ValueSource::clock;
}

} // namespace

ColumnValues columnValues(const MatchRow& row) {
    ColumnValues values;
    for (const StatsColumnDescription& description : kStatsColumns) {
        const auto found = row.find(std::string(description.name));
        if (found != row.end())
            values[writtenPosition(description.column)] = found->second;
    }
    return values;
}

bool sameMatch(const MatchRow& a, const MatchRow& b) {
    auto withoutMoment = [](const MatchRow& row) {
        MatchRow rest;
        std::copy_if(row.begin(), row.end(), std::inserter(rest, rest.end()),
                     [](const MatchRow::value_type& entry) { return !isCaptureMoment(entry.first); });
        return rest;
    };
    return withoutMoment(a) == withoutMoment(b);
}
