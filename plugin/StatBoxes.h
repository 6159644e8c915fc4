// The seven stat boxes, described once: the statistic each shows, its three console settings, and the
// members holding its switch, position, table, column titles and average. The console settings, the
// refresh's tables and averages, and the drawing all follow this table, in its order (the drawing order).
#pragma once

#include "plugin/Tallyglass.h"
#include "statsfile/Columns.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A console variable as the host's console lists it.
struct ConsoleVariableText {
    const char* name;
    const char* defaultValue;
    const char* description;
};

struct StatBox {
    StatsColumn statistic;          // shown in the table's third column and averaged on the last line
    std::string_view averagePrefix; // the last line's text before the average
    ConsoleVariableText shownSetting;
    ConsoleVariableText xSetting;
    ConsoleVariableText ySetting;
    bool Tallyglass::*shown;
    std::int32_t Tallyglass::*x;
    std::int32_t Tallyglass::*y;
    Tallyglass::Table Tallyglass::*table;
    Tallyglass::ColumnTitles Tallyglass::*titles;
    std::string Tallyglass::*average;
};

// The points box is switched by its "score" setting. The descriptions are the texts players have seen
// in the console all along, spelling included.
inline constexpr auto kStatBoxes = std::to_array<StatBox>({
    {StatsColumn::Mmr,
     "Average MMR: ",
     {"tallyglass_box_mmr", "1", "Enables MMR Box"},
     {"tallyglass_box_mmr_x", "405", "Coordinates for MMR Box"},
     {"tallyglass_box_mmr_y", "730", "Coordiantes for MMR Box"},
     &Tallyglass::showMmrBox,
     &Tallyglass::mmrBoxX,
     &Tallyglass::mmrBoxY,
     &Tallyglass::mmrTable,
     &Tallyglass::mmrColumns,
     &Tallyglass::averageMmr},
    {StatsColumn::Points,
     "Average Points: ",
     {"tallyglass_box_score", "1", "Enables Score Box"},
     {"tallyglass_box_points_x", "405", "Coordinates for Points Box"},
     {"tallyglass_box_points_y", "900", "Coordiantes for Points Box"},
     &Tallyglass::showScoreBox,
     &Tallyglass::pointsBoxX,
     &Tallyglass::pointsBoxY,
     &Tallyglass::pointsTable,
     &Tallyglass::pointsColumns,
     &Tallyglass::averagePoints},
    {StatsColumn::Goals,
     "Average Goals: ",
     {"tallyglass_box_goals", "1", "Enables Goals Box"},
     {"tallyglass_box_goals_x", "740", "Coordinates for Goals Box"},
     {"tallyglass_box_goals_y", "900", "Coordiantes for Goals Box"},
     &Tallyglass::showGoalsBox,
     &Tallyglass::goalsBoxX,
     &Tallyglass::goalsBoxY,
     &Tallyglass::goalsTable,
     &Tallyglass::goalsColumns,
     &Tallyglass::averageGoals},
    {StatsColumn::Assists,
     "Average Assists: ",
     {"tallyglass_box_assists", "1", "Enables Assists Box"},
     {"tallyglass_box_assists_x", "1070", "Coordinates for Assists Box"},
     {"tallyglass_box_assists_y", "900", "Coordiantes for Assists Box"},
     &Tallyglass::showAssistsBox,
     &Tallyglass::assistsBoxX,
     &Tallyglass::assistsBoxY,
     &Tallyglass::assistsTable,
     &Tallyglass::assistsColumns,
     &Tallyglass::averageAssists},
    {StatsColumn::Saves,
     "Average Saves: ",
     {"tallyglass_box_saves", "1", "Enables Saves Box"},
     {"tallyglass_box_saves_x", "1400", "Coordinates for Saves Box"},
     {"tallyglass_box_saves_y", "900", "Coordiantes for Saves Box"},
     &Tallyglass::showSavesBox,
     &Tallyglass::savesBoxX,
     &Tallyglass::savesBoxY,
     &Tallyglass::savesTable,
     &Tallyglass::savesColumns,
     &Tallyglass::averageSaves},
    {StatsColumn::Shots,
     "Average Shots: ",
     {"tallyglass_box_shots", "1", "Enables Shots Box"},
     {"tallyglass_box_shots_x", "740", "Coordinates for Shots Box"},
     {"tallyglass_box_shots_y", "730", "Coordiantes for Shots Box"},
     &Tallyglass::showShotsBox,
     &Tallyglass::shotsBoxX,
     &Tallyglass::shotsBoxY,
     &Tallyglass::shotsTable,
     &Tallyglass::shotsColumns,
     &Tallyglass::averageShots},
    {StatsColumn::Demos,
     "Average Demos: ",
     {"tallyglass_box_demos", "1", "Enables Demos Box"},
     {"tallyglass_box_demos_x", "1070", "Coordinates for Demos Box"},
     {"tallyglass_box_demos_y", "730", "Coordinates for Demos Box"},
     &Tallyglass::showDemosBox,
     &Tallyglass::demosBoxX,
     &Tallyglass::demosBoxY,
     &Tallyglass::demosTable,
     &Tallyglass::demosColumns,
     &Tallyglass::averageDemos},
});

namespace stat_boxes_detail {
// Every averaged column of the stats file has its box, and no other column has one.
constexpr bool oneBoxForEachAveragedColumn() {
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t boxes = 0;
        for (const StatBox& box : kStatBoxes)
            boxes += box.statistic == description.column ? 1 : 0;
        if (boxes != (description.statBox ? 1u : 0u))
            return false;
    }
    return true;
}
} // namespace stat_boxes_detail

static_assert(stat_boxes_detail::oneBoxForEachAveragedColumn(), "one stat box for each averaged column");
