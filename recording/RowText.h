// One match as the stats file holds it: column name to value text, and its line texts.
#pragma once

#include <map>
#include <string>

// Ordered by column name, which is also the column order of the file.
using MatchRow = std::map<std::string, std::string>;

// The column names joined by commas, without a line end.
std::string headerLine(const MatchRow& row);
// The values in column order joined by commas, without a line end.
std::string valuesLine(const MatchRow& row);
// Whether two rows record the same match: equal in every column but the capture moment (Time and
// Timestamp), which a repeated match-ended event gives anew.
bool sameMatch(const MatchRow& a, const MatchRow& b);
