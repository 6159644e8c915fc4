// The stats-file columns the recent-match tables read, each found by its name in the file's header:
// the ranked flag and the playlist (first column), both teams' goals (score), the time (age), the win
// (row colour), and the seven statistics.
#pragma once

#include "statsfile/Columns.h"

#include <array>

inline constexpr std::array kTableFields{
    StatsColumn::Playlist, StatsColumn::MyTeamGoals,    StatsColumn::Mmr,    StatsColumn::Time,
    StatsColumn::Win,      StatsColumn::OtherTeamGoals, StatsColumn::Ranked, StatsColumn::Points,
    StatsColumn::Goals,    StatsColumn::Assists,        StatsColumn::Saves,  StatsColumn::Shots,
    StatsColumn::Demos,
};
