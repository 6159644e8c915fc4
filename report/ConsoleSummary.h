// The short per-playlist summary printed on standard output, useful without a browser.
#pragma once

#include "report/HistorySummary.h"
#include "toolkit/RatingBands.h"

#include <ostream>

// `bands`: the player's rating bands; with any, the table shows each playlist's band and the points to
// the next.
void printConsoleSummary(const HistorySummary& summary, std::ostream& out,
                         const RatingBands& bands = RatingBands());
