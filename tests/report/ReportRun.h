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

// The JSON the page carries, as its script reads it.
nlohmann::json pageData(const std::string& page);
