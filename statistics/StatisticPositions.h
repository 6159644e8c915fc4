// Where the seven averaged statistics stand within a line of the stats file. The writer's column order
// is fixed, and the averages read these positions whatever a header says.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kAssistsPosition = 0;
inline constexpr std::size_t kDemosPosition = 1;
inline constexpr std::size_t kGoalsPosition = 2;
inline constexpr std::size_t kMmrPosition = 3;
inline constexpr std::size_t kWrittenPlaylistPosition = 7;
inline constexpr std::size_t kPointsPosition = 8;
inline constexpr std::size_t kSavesPosition = 10;
inline constexpr std::size_t kShotsPosition = 11;

// The cell text of a statistic the line does not reach.
inline constexpr std::string_view kMissingStatistic = "null";

constexpr bool isStatisticPosition(std::size_t position) {
    return position == kAssistsPosition || position == kDemosPosition || position == kGoalsPosition ||
           position == kMmrPosition || position == kPointsPosition || position == kSavesPosition ||
           position == kShotsPosition;
}
