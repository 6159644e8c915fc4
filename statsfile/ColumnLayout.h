// Where each column stands in the lines below a header, found by the header's names.
#pragma once

#include "statsfile/Columns.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kAbsentColumn = static_cast<std::size_t>(-1);

struct ColumnLayout {
    std::array<std::size_t, kStatsColumnCount> position{}; // kAbsentColumn where the header lacks it
    std::size_t fieldCount = 0;
    std::string missing; // the names of required columns the header lacks, comma separated

    std::size_t of(StatsColumn column) const { return position[writtenPosition(column)]; }
};

// The layout a header line names, a UTF-8 byte order mark before it ignored. A name given twice: the
// later one counts. Every column but the written date text is required.
ColumnLayout layoutOf(std::string_view header);
