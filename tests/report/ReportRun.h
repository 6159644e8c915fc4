// tallyglass-report run in-process as a player runs it, and the JSON its page carries.
#pragma once

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
