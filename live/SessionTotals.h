// The session's totals: the sum of each of the player's own figures over the session's matches. Which
// figures they are follows from the column table (statsfile/Columns.h): every column whose value is the
// player's figure, here in the order the page, session.json and the text files show them. A yes-or-no
// figure (MVP) totals the matches that have it.
#pragma once

#include "statsfile/Columns.h"
#include "statsfile/MatchRecord.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr std::array kSessionTotalColumns{
    StatsColumn::Points, StatsColumn::Goals, StatsColumn::Assists, StatsColumn::Saves,
    StatsColumn::Shots,  StatsColumn::Demos, StatsColumn::Mvp};

// In the order of kSessionTotalColumns.
using SessionTotals = std::array<std::int64_t, kSessionTotalColumns.size()>;

// Where the total of `column` stands in SessionTotals (one of kSessionTotalColumns).
constexpr std::size_t totalIndex(StatsColumn column) {
    std::size_t at = 0;
    while (at < kSessionTotalColumns.size() && kSessionTotalColumns[at] != column)
        ++at;
    return at;
}

// A total's name, its key in session.json and its text file's name before ".txt": the column's key; for
// a count of matches (a yes-or-no figure) the key's plural ("mvps").
inline std::string totalName(StatsColumn column) {
    std::string name(columnKey(column));
    if (matchFieldOf(column).kind == MatchField::flag)
        name += 's';
    return name;
}

// A total's heading on the page: the column's name, a count of matches in the plural ("MVPs").
inline std::string totalHeading(StatsColumn column) {
    std::string heading(columnName(column));
    if (matchFieldOf(column).kind == MatchField::flag)
        heading += 's';
    return heading;
}

// What one match adds to the total of `column`.
constexpr std::int64_t totalOf(const MatchRecord& match, StatsColumn column) {
    const MatchField field = matchFieldOf(column);
    if (field.kind == MatchField::flag)
        return match.*field.boolMember ? 1 : 0;
    return match.*field.intMember;
}

namespace session_totals_detail {
constexpr bool listsEveryPlayerFigureOnce() {
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t listed = 0;
        for (const StatsColumn column : kSessionTotalColumns)
            listed += column == description.column ? 1 : 0;
        if (listed != (description.source == ValueSource::playerFigure ? 1u : 0u))
            return false;
    }
    return true;
}
constexpr bool eachIsANumberOrAFlag() {
    for (const StatsColumn column : kSessionTotalColumns) {
        const MatchField::Kind kind = matchFieldOf(column).kind;
        if (kind != MatchField::number && kind != MatchField::flag)
            return false;
    }
    return true;
}
} // namespace session_totals_detail
static_assert(session_totals_detail::listsEveryPlayerFigureOnce(),
              "the session totals are every one of the player's own figures, each once");
static_assert(session_totals_detail::eachIsANumberOrAFlag(), "a total sums whole numbers or counts matches");
