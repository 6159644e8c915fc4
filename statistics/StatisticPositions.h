// Which cells of the kept lines hold statistics, marked when a line does not reach them.
#pragma once

#include "statsfile/Columns.h"

#include <cstddef>
#include <string_view>

// The cell text of a statistic the line does not reach.
inline constexpr std::string_view kMissingStatistic = "null";

constexpr bool isStatisticPosition(std::size_t position) {
    return isStatBoxPosition(position);
}
