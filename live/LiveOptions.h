// The command line of tallyglass-live:
//   tallyglass-live FOLDER|STATS.csv [--out DIR] [--session-gap MINUTES] [--since-start] [--once]
//                   [--now SECONDS] [--bands FILE]
// Arguments are UTF-8 text (on Windows the program turns its wide arguments into UTF-8).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct LiveOptions {
    // Either the stats file given, or the data folder given, whose stats file that changed last is
    // followed (the other one empty).
    std::filesystem::path statsFile;
    std::filesystem::path dataFolder;
    // Default: the folder tallyglass-live beside the stats file given, or inside the data folder given.
    std::filesystem::path outFolder;
    std::int64_t sessionGapSeconds = 0;
    bool sinceStart = false;
    bool once = false;
    std::optional<std::int64_t> now; // the moment the program takes as its start; default: the clock
    bool help = false;
    std::optional<std::filesystem::path> bands; // the player's rating bands
};

// Either the options, or what is wrong with the command line in `error`.
std::optional<LiveOptions> parseLiveOptions(const std::vector<std::string>& arguments, std::string& error);

inline constexpr std::int64_t kLongestSessionGapMinutes = 7 * 24 * 60;

inline constexpr const char* kLiveUsage =
    "usage: tallyglass-live FOLDER|STATS.csv [--out DIR] [--session-gap MINUTES] [--since-start] [--once]\n"
    "                       [--now SECONDS] [--bands FILE]\n"
    "  Follows a Tallyglass stats file and keeps the live view of the current session up to date in DIR:\n"
    "  live.html for a browser, overlay.html for a streaming program's browser source, session.json, and\n"
    "  one text file per figure for text sources. Given the data folder, it follows the stats file in it\n"
    "  (<player id>_Tallyglass.csv, or its rescue file <player id>_Tallyglass_rescued.csv) that changed\n"
    "  last, and another as soon as that one changes; DIR is then the folder tallyglass-live inside it\n"
    "  (else beside the stats file).\n"
    "  --session-gap  a break longer than this many minutes starts a new session (default 30)\n"
    "  --since-start  only matches at or after the moment the program started\n"
    "  --once         write every file once and exit\n"
    "  --now          the moment taken as the start, in seconds since 1970 UTC (default: the clock)\n"
    "  --bands        your table of rating bands (CSV: Playlist,Band,From): band.txt, to-next-band.txt\n"
    "  Ctrl-C ends it; the files stay as last written.\n";
