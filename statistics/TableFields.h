// The stats-file columns the recent-match tables read, each found by its name in the file's header:
// the ranked flag and the playlist (first column), both teams' goals (score), the time (age), the win
// (row colour), and the seven statistics.
#pragma once

#include "statsfile/Columns.h"

#include <array>
#include <cstddef>

inline constexpr std::array kTableFields{
    StatsColumn::Playlist, StatsColumn::MyTeamGoals,    StatsColumn::Mmr,    StatsColumn::Time,
    StatsColumn::Win,      StatsColumn::OtherTeamGoals, StatsColumn::Ranked, StatsColumn::Points,
    StatsColumn::Goals,    StatsColumn::Assists,        StatsColumn::Saves,  StatsColumn::Shots,
    StatsColumn::Demos,
};

namespace table_fields_detail {
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
} // namespace table_fields_detail
static_assert(table_fields_detail::holdsEveryStatistic(),
              "the tables look up every stat-box statistic, each once");
