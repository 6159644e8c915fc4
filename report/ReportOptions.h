// The command line of tallyglass-report:
//   tallyglass-report STATS.csv|FOLDER [-o REPORT.html] [--json FILE] [--bands FILE] [--now SECONDS]
// Arguments are UTF-8 text (on Windows the program turns its wide arguments into UTF-8).
#pragma once

#include "statsfile/PathText.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ReportOptions {
    std::filesystem::path input; // the stats file, or the folder of every account's
    bool folder = false;         // input is a folder: a page for each stats file in it, and the index
    // The page: by default beside the stats file, same stem, ".html"; for a folder, its index.
    std::filesystem::path page;
    std::optional<std::filesystem::path> json;
    std::optional<std::filesystem::path> bands; // the player's rating bands
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

// The index page of a folder's accounts, in that folder.
inline constexpr const char* kIndexPageName = "Tallyglass.html";

inline constexpr const char* kReportUsage =
    "usage: tallyglass-report STATS.csv [-o REPORT.html] [--json FILE] [--bands FILE] [--now SECONDS]\n"
    "       tallyglass-report FOLDER [--bands FILE] [--now SECONDS]\n"
    "  Writes the history report of a Tallyglass stats file: one HTML page (default: beside the file,\n"
    "  same name, .html), and with --json the summary it is built from. Given a folder, writes the page\n"
    "  of every stats file in it (<player id>_Tallyglass.csv) beside the file, and the index of them,\n"
    "  Tallyglass.html. --bands names your table of rating bands (CSV: Playlist,Band,From). --now fixes\n"
    "  the moment taken as now (seconds since 1970 UTC), on which the periods and rating changes depend.\n";
