// Where the seven averaged statistics stand within a line of the stats file, as the writer puts them.
// The averages read these positions whatever a header says.
#pragma once

#include "recording/StatsFileColumns.h"

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kAssistsPosition = writtenPosition(StatsColumn::Assists);
inline constexpr std::size_t kDemosPosition = writtenPosition(StatsColumn::Demos);
inline constexpr std::size_t kGoalsPosition = writtenPosition(StatsColumn::Goals);
inline constexpr std::size_t kMmrPosition = writtenPosition(StatsColumn::Mmr);
inline constexpr std::size_t kWrittenPlaylistPosition = writtenPosition(StatsColumn::Playlist);
inline constexpr std::size_t kPointsPosition = writtenPosition(StatsColumn::Points);
inline constexpr std::size_t kSavesPosition = writtenPosition(StatsColumn::Saves);
inline constexpr std::size_t kShotsPosition = writtenPosition(StatsColumn::Shots);

// The cell text of a statistic the line does not reach.
inline constexpr std::string_view kMissingStatistic = "null";

constexpr bool isStatisticPosition(std::size_t position) {
    return isAveragedPosition(position);
}
