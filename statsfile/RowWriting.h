// Writing a match as one line of a stats file, in the layout of the file it goes into.
#pragma once

#include "statsfile/Layout.h"

#include <array>
#include <string>
#include <string_view>

// One match's value texts, by column (at each column's written position).
using ColumnValues = std::array<std::string, kStatsColumnCount>;

// A value as one field of a line separated by `separator`: in double quotes, with each quote inside
// doubled, when it holds the separator or a quote, so that it reads back as one field; as it is
// otherwise.
std::string separatedField(std::string_view value, char separator);

// The line of `values` in `layout`, without line end: each column's value at its place in the header,
// the header's other fields (a player's own "Notes") empty.
std::string rowLine(const ColumnValues& values, const StatsFileLayout& layout);
