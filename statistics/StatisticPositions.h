// What the stats-file reader takes from the writer's fixed layout: where the playlist title stands
// when no header names it, and which cells hold statistics, marked when a line does not reach them.
#pragma once

#include "statsfile/Columns.h"

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kWrittenPlaylistPosition = writtenPosition(StatsColumn::Playlist);

// The cell text of a statistic the line does not reach.
inline constexpr std::string_view kMissingStatistic = "null";

constexpr bool isStatisticPosition(std::size_t position) {
    return isAveragedPosition(position);
}
