// The player's figures the live page's match table shows, left to right after the time, playlist and
// result: the page takes them, key and heading, from session.json ("matchColumns"), and each match's
// value by that key, so the names and keys come from the column table and are written nowhere else.
#pragma once

#include "statsfile/Columns.h"
#include "statsfile/MatchRecord.h"

#include <array>

inline constexpr std::array kMatchTableColumns{StatsColumn::Points, StatsColumn::Goals, StatsColumn::Assists,
                                               StatsColumn::Saves, StatsColumn::Shots};

namespace match_columns_detail {
// Each is a whole number every match in matchList has under its key.
constexpr bool eachIsAMatchNumber() {
    for (const StatsColumn column : kMatchTableColumns)
        if (matchFieldOf(column).kind != MatchField::number)
            return false;
    return true;
}
} // namespace match_columns_detail
static_assert(match_columns_detail::eachIsAMatchNumber(), "the match table shows whole-number figures");
