// The history summary as JSON: what --json writes and exactly what the page is built from.
#pragma once

#include "report/HistorySummary.h"
#include "toolkit/RatingBands.h"

#include <nlohmann/json.hpp>

#include <string>

// `bands`: the player's rating bands (none: every playlist's band is null).
nlohmann::ordered_json summaryJson(const HistorySummary& summary, const std::string& fileName,
                                   const RatingBands& bands = RatingBands());
