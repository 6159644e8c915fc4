// The recent-match tables the plugin object holds, one for each stat box and the match table: their shape,
// which the overlay draws (overlay/TableCells.h), and the stats-file columns they read, which the
// statistics fill them from. Here, with the plugin object, so that its header needs nothing from the
// subsystems built on it.
#pragma once

#include "statsfile/Columns.h"

#include <array>
#include <cstddef>
#include <string>

// A title row and ten match rows of five cells (Playlist, Score, the statistic, Time, Win), stored row
// by row.
inline constexpr int kRecentTableRows = 11;
inline constexpr int kRecentTableColumns = 5;
using RecentTable = std::array<std::string, kRecentTableRows * kRecentTableColumns>;

// The columns the tables read, each found by its name in the file's header: the ranked flag and the
// playlist (first column), both teams' goals (score), the time (age), the win (row colour), and the seven
// statistics.
inline constexpr std::array kTableFields{
    StatsColumn::Playlist, StatsColumn::MyTeamGoals,    StatsColumn::Mmr,    StatsColumn::Time,
    StatsColumn::Win,      StatsColumn::OtherTeamGoals, StatsColumn::Ranked, StatsColumn::Points,
    StatsColumn::Goals,    StatsColumn::Assists,        StatsColumn::Saves,  StatsColumn::Shots,
    StatsColumn::Demos,
};

namespace recent_tables_detail {
// Every stat-box statistic is among the fields, once, and no field comes twice: a statistic added to the
// column table reaches the tables' look-up.
constexpr bool holdsEveryStatistic() {
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t times = 0;
        for (const StatsColumn field : kTableFields)
            times += field == description.column ? 1u : 0u;
        if (times > 1 || (description.statBox && times != 1))
            return false;
    }
    return true;
}
} // namespace recent_tables_detail
static_assert(recent_tables_detail::holdsEveryStatistic(),
              "the tables look up every stat-box statistic, each once");
