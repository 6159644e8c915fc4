// The command line of tallyglass-report:
//   tallyglass-report STATS.csv [-o REPORT.html] [--json FILE] [--now SECONDS]
// Arguments are UTF-8 text (on Windows the program turns its wide arguments into UTF-8).
#pragma once

#include "statsfile/PathText.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ReportOptions {
    std::filesystem::path statsFile;
    std::filesystem::path page; // default: beside the stats file, same stem, ".html"
    std::optional<std::filesystem::path> json;
    std::optional<std::int64_t> now;
    bool help = false;
};

// A command line that cannot be read: the message says what is wrong.
struct OptionsError {
    std::string message;
};

// Either the options, or what is wrong with the command line.
std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                OptionsError& error);

inline constexpr const char* kReportUsage =
    "usage: tallyglass-report STATS.csv [-o REPORT.html] [--json FILE] [--now SECONDS]\n"
    "  Writes the history report of a Tallyglass stats file: one HTML page (default: beside the file,\n"
    "  same name, .html), and with --json the summary it is built from. --now fixes the moment taken\n"
    "  as now (seconds since 1970 UTC), on which the 7- and 30-day rating changes depend.\n";
