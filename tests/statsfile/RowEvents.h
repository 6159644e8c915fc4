// What a RowReader hands its sink, kept as text so a test compares whole readings: "match L title
// time win points", or "skip L reason".
#pragma once

#include "statsfile/RowSink.h"

#include <string>
#include <vector>

class RowEvents : public StatsRowSink {
public:
    void match(const MatchRecord& match) override {
        events.push_back("match " + std::to_string(match.line) + " " + std::string(match.playlist) + " " +
                         std::to_string(match.time) + (match.win ? " W " : " L ") +
                         std::to_string(match.points));
    }
    void skipped(std::uint64_t line, const std::string& reason) override {
        events.push_back("skip " + std::to_string(line) + " " + reason);
    }

    std::vector<std::string> events;
};
