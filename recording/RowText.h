// One match as the plugin captures it: column name to value text.
#pragma once

#include "statsfile/RowWriting.h"

#include <map>
#include <string>

// Ordered by column name, which is also the column order of a new file.
using MatchRow = std::map<std::string, std::string>;

// The row's values by column, for writing in a file's layout; a column the row lacks is empty.
ColumnValues columnValues(const MatchRow& row);
// Whether two rows record the same match: equal in every column but the capture moment (Time and
// Timestamp) and the ratings (MMR and MMRAfter), which a match-ended event repeated after the host
// announced the new rating gives otherwise.
bool sameMatch(const MatchRow& a, const MatchRow& b);
