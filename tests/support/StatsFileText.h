// Stats-file text for tests, built from the column table: the header, lines of cells in the writer's
// column order or in any other, and rows given by their values.
#pragma once

#include "statsfile/Columns.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The columns of a file the plugin wrote before the columns a file may lack were added, in its order.
std::vector<StatsColumn> requiredColumnOrder();

// The header line of `order` (default: the writer's), without line end.
std::string statsHeader(const std::vector<StatsColumn>& order = {});

// One line of the cells `cellOf` gives for each column of `order` (default: the writer's), without
// line end.
std::string statsLine(const std::function<std::string(StatsColumn)>& cellOf,
                      const std::vector<StatsColumn>& order = {});

// A match by its values; the goals of the two teams follow from the result (3:1 or 1:3).
struct StatsRow {
    std::string playlist = "Ranked Doubles";
    std::int64_t time = 1796000000;
    std::string timestamp = "18:45:38 12/03/26";
    bool win = true;
    std::int32_t mmr = 1000;
    bool ranked = true;
    std::int32_t points = 300;
    std::int32_t goals = 1;
    std::int32_t assists = 1;
    std::int32_t saves = 1;
    std::int32_t shots = 3;
    std::int32_t demos = 0;
    bool mvp = false;
    std::optional<std::int32_t> mmrAfter = std::nullopt; // an empty cell when none
};

// A match in `playlist` at `time`, won or lost, with its rating before it and the rating after it.
StatsRow ratedRow(const std::string& playlist, std::int64_t time, bool win, std::int32_t before,
                  std::optional<std::int32_t> after = std::nullopt);

// The cell of `row` in `column`, as the plugin writes it.
std::string cellOf(const StatsRow& row, StatsColumn column);

// The line of `row` in `order` (default: the writer's), without line end.
std::string statsRowLine(const StatsRow& row, const std::vector<StatsColumn>& order = {});

// A whole file: header and rows with columns in `order` (default: the writer's), lines ended by `lineEnd`.
std::string statsFileText(const std::vector<StatsRow>& rows, const std::vector<StatsColumn>& order = {},
                          const std::string& lineEnd = "\n");
