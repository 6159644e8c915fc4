// The columns of the stats file, described once: their names, the order the writer puts them in, and
// which of them are the seven statistics the scoreboard averages. The writer, the plugin's reader and
// the history report all take names and positions from this table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// In the writer's order. The match row is an ordered map keyed by column name, so that order is the
// names' alphabetical order; the checks below keep the two from drifting apart.
enum class StatsColumn : std::size_t {
    Assists,
    Demos,
    Goals,
    Mmr,
    Mvp,
    MyTeamGoals,
    OtherTeamGoals,
    Playlist,
    Points,
    Ranked,
    Saves,
    Shots,
    Time,
    Timestamp,
    Win,
};

struct StatsColumnDescription {
    StatsColumn column;
    std::string_view name; // as the header spells it
    bool averaged;         // one of the seven statistics with a stat box and an average
};

inline constexpr std::array<StatsColumnDescription, 15> kStatsColumns{{
    {StatsColumn::Assists, "Assists", true},
    {StatsColumn::Demos, "Demos", true},
    {StatsColumn::Goals, "Goals", true},
    {StatsColumn::Mmr, "MMR", true},
    {StatsColumn::Mvp, "MVP", false},
    {StatsColumn::MyTeamGoals, "MyTeamGoals", false},
    {StatsColumn::OtherTeamGoals, "OtherTeamGoals", false},
    {StatsColumn::Playlist, "Playlist", false},
    {StatsColumn::Points, "Points", true},
    {StatsColumn::Ranked, "Ranked", false},
    {StatsColumn::Saves, "Saves", true},
    {StatsColumn::Shots, "Shots", true},
    {StatsColumn::Time, "Time", false},
    {StatsColumn::Timestamp, "Timestamp", false},
    {StatsColumn::Win, "Win", false},
}};

inline constexpr std::size_t kStatsColumnCount = kStatsColumns.size();

// Where the writer puts the column within a line.
constexpr std::size_t writtenPosition(StatsColumn column) {
    return static_cast<std::size_t>(column);
}

constexpr std::string_view columnName(StatsColumn column) {
    return kStatsColumns[writtenPosition(column)].name;
}

constexpr bool isAveragedPosition(std::size_t position) {
    return position < kStatsColumnCount && kStatsColumns[position].averaged;
}

// The column a header cell names, if it names one.
constexpr std::optional<StatsColumn> columnNamed(std::string_view name) {
    for (const StatsColumnDescription& description : kStatsColumns)
        if (description.name == name)
            return description.column;
    return std::nullopt;
}

namespace stats_columns_detail {
constexpr bool describedInWrittenOrder() {
    for (std::size_t position = 0; position < kStatsColumnCount; ++position) {
        if (writtenPosition(kStatsColumns[position].column) != position)
            return false;
        if (position > 0 && !(kStatsColumns[position - 1].name < kStatsColumns[position].name))
            return false;
    }
    return true;
}
constexpr std::size_t averagedCount() {
    std::size_t count = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        count += description.averaged ? 1 : 0;
    return count;
}
} // namespace stats_columns_detail

static_assert(stats_columns_detail::describedInWrittenOrder(),
              "each column stands at its written position, and the names run in the match row's order");
static_assert(stats_columns_detail::averagedCount() == 7, "seven statistics have a stat box");
