// The history summary as JSON: what --json writes and exactly what the page is built from.
#pragma once

#include "report/HistorySummary.h"

#include <nlohmann/json.hpp>

#include <string>

nlohmann::ordered_json summaryJson(const HistorySummary& summary, const std::string& fileName);

// Compact JSON text, pure ASCII: every other character is written as a \u escape, and a byte sequence
// that is not UTF-8 becomes U+FFFD instead of failing.
std::string jsonText(const nlohmann::ordered_json& json, int indent = -1);
