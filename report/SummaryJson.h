// The history summary as JSON: what --json writes and exactly what the page is built from.
#pragma once

#include "report/HistorySummary.h"

#include <nlohmann/json.hpp>

#include <string>

nlohmann::ordered_json summaryJson(const HistorySummary& summary, const std::string& fileName);
