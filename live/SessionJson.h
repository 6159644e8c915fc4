// The session as JSON (session.json, and session.js for the pages) and as the text files of a streaming
// program's text sources. The keys are listed in README.md.
#pragma once

#include "live/SessionView.h"

#include "toolkit/JsonText.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the view says besides the session itself.
struct ViewContext {
    std::string fileName;
    std::int64_t updated = 0;
    std::int64_t sessionGapSeconds = 0;
    std::optional<std::int64_t> sinceStart; // the start moment, with --since-start
    std::optional<std::string> status;      // why the file is not being read, in a sentence
};

nlohmann::ordered_json sessionJson(const SessionView& view, const ViewContext& context);

// session.js: one statement setting the global the pages read, safe inside any page: no "<", ">" or "&".
std::string sessionScript(const nlohmann::ordered_json& json);

// The text files, name and content: UTF-8, one figure each, no line end.
std::vector<std::pair<std::string, std::string>> textFiles(const SessionView& view);

// A title as a line of text: bytes that are not UTF-8 become U+FFFD, control characters a blank.
std::string plainTitle(std::string_view title);
