// Hand-made stats files for the report's tests: rows given by their values, written in the writer's
// column order or in any other.
#pragma once

#include "recording/StatsFileColumns.h"

#include <cstdint>
#include <string>
#include <vector>

struct Row {
    std::string playlist = "Ranked Doubles";
    std::int64_t time = 1796000000;
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
};

// The cell of `row` in `column`, as the plugin writes it.
std::string cellOf(const Row& row, StatsColumn column);

// A whole file: header and rows with columns in `order` (default: the writer's), lines ended by `lineEnd`.
std::string statsFileText(const std::vector<Row>& rows, const std::vector<StatsColumn>& order = {},
                          const std::string& lineEnd = "\n");

// The header line of `order` (default: the writer's), without line end.
std::string headerLine(const std::vector<StatsColumn>& order = {});
