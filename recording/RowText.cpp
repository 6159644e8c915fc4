#include "recording/RowText.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// The columns a repeated match-ended event may give anew: the moment of the capture, and the ratings,
// for an event repeated after the host announced the new rating reads that as the one before the match
// and has none after it yet.
bool isNotOfTheMatchItself(const std::string& column) {
    const std::optional<StatsColumn> named = columnNamed(column);
    if (!named)
        return false;
    const ValueSource source = describe(*named).source;
    return source == ValueSource::clock || source == ValueSource::rating ||
           source == ValueSource::ratingAfter;
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
                     [](const MatchRow::value_type& entry) { return !isNotOfTheMatchItself(entry.first); });
        return rest;
    };
    return withoutMoment(a) == withoutMoment(b);
}
