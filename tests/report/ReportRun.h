// tallyglass-report run in-process as a player runs it, the JSON its page carries, and a playlist of a
// summary by its name.
#pragma once

#include "report/HistorySummary.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

struct ReportRun {
    int status = -1;
    std::string out;
    std::string err;
};

ReportRun report(const std::vector<std::string>& arguments);

// The JSON the page carries in its element of this id, as its script reads it (the report page's
// summary, the index page's "index").
nlohmann::json pageData(const std::string& page, const std::string& id = "summary");

// The playlist of `summary` named `name`; throws when there is none.
const PlaylistSummary& playlistNamed(const HistorySummary& summary, const std::string& name);
