// Where the stats-file reader looks for what a kept line lacks: the fields the writer puts in fixed
// places, read where a header does not say otherwise.
#pragma once

#include "recording/StatsFileColumns.h"

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kWrittenPlaylistPosition = writtenPosition(StatsColumn::Playlist);

// The cell text of a statistic the line does not reach.
inline constexpr std::string_view kMissingStatistic = "null";

constexpr bool isStatisticPosition(std::size_t position) {
    return isAveragedPosition(position);
}
