// The command line of tallyglass-live:
//   tallyglass-live STATS.csv [--out DIR] [--session-gap MINUTES] [--since-start] [--once] [--now SECONDS]
//                   [--bands FILE]
// Arguments are UTF-8 text (on Windows the program turns its wide arguments into UTF-8).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct LiveOptions {
    std::filesystem::path statsFile;
    std::filesystem::path outFolder; // default: the folder tallyglass-live beside the stats file
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
    "usage: tallyglass-live STATS.csv [--out DIR] [--session-gap MINUTES] [--since-start] [--once]\n"
    "                       [--now SECONDS] [--bands FILE]\n"
    "  Follows a Tallyglass stats file and keeps the live view of the current session up to date in DIR\n"
    "  (default: the folder tallyglass-live beside the file): live.html for a browser, overlay.html for a\n"
    "  streaming program's browser source, session.json, and one text file per figure for text sources.\n"
    "  --session-gap  a break longer than this many minutes starts a new session (default 30)\n"
    "  --since-start  only matches at or after the moment the program started\n"
    "  --once         write every file once and exit\n"
    "  --now          the moment taken as the start, in seconds since 1970 UTC (default: the clock)\n"
    "  --bands        your table of rating bands (CSV: Playlist,Band,From): band.txt, to-next-band.txt\n"
    "  Ctrl-C ends it; the files stay as last written.\n";
