// The session as JSON (session.json, and session.js for the pages) and as the text files of a streaming
// program's text sources. The keys are listed in README.md.
#pragma once

#include "live/SessionView.h"

#include "toolkit/JsonText.h"
#include "toolkit/RatingBands.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the view says besides the session itself.
struct ViewContext {
    std::optional<std::string> fileName; // the stats file followed; none in a folder without one yet
    std::optional<std::string> account;  // the player id its name holds
    std::int64_t updated = 0;
    std::int64_t sessionGapSeconds = 0;
    std::optional<std::int64_t> sinceStart; // the start moment, with --since-start
    std::optional<std::string> status;      // why the file is not being read, in a sentence
    const RatingBands* bands = nullptr;     // the player's rating bands, with --bands
};

nlohmann::ordered_json sessionJson(const SessionView& view, const ViewContext& context);

// session.js: one statement setting the global the pages read, safe inside any page: no "<", ">" or "&".
std::string sessionScript(const nlohmann::ordered_json& json);

// The text files, name and content: UTF-8, one figure each, no line end.
std::vector<std::pair<std::string, std::string>> textFiles(const SessionView& view);

// The band files of the last match's playlist, as textFiles(): band.txt (the band's name) and
// to-next-band.txt (the points to the next band, "80"), each empty where there is none.
std::vector<std::pair<std::string, std::string>> bandTextFiles(const SessionView& view,
                                                               const RatingBands& bands);

// A title as a line of text: bytes that are not UTF-8 become U+FFFD, control characters a blank.
std::string plainTitle(std::string_view title);
