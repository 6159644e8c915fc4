// Pieces shared by the fault tests: matches with recognisable figures, and readings of what the stats
// file and the console hold afterwards.
#pragma once

#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/SteppedHost.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The header line the plugin writes, without a line end.
extern const std::string kStatsHeader;

// Loads the plugin with the clock pinned to 2026-12-07 21:05:09 UTC, an online ranked game and a
// local player on the winning team 0 (3:1).
extern const std::string kLoadedInOnlineGame;
// Opens the scoreboard, draws one frame and closes it again.
extern const std::string kOpenScoreboardAndDraw;

// A match the local player ends with `points` points (the figure the tests recognise a row by),
// followed by the wait that lets its write fall due.
std::string endedMatch(int points);

// A stats file of a header and one row per entry of `points`, oldest first, in the writer's format,
// with LF line ends: rowWithPoints ten minutes apart.
std::string statsFileWithPoints(const std::vector<int>& points);
// A won ranked match of `points` points at `time`.
StatsRow rowWithPoints(int points, std::int64_t time);

// Writes statsFileWithPoints(points) as the default player's stats file in `dataFolder` and returns it.
std::string writeStatsFileWithPoints(const std::filesystem::path& dataFolder, const std::vector<int>& points);

// The Points field of every data line of the file, in file order; lines that are not rows of the
// writer's format (a repeated header, damage) are skipped.
std::vector<int> recordedPoints(const std::filesystem::path& file);

// Console lines that are neither the load banner nor the recorder's notes about a write that has to
// wait and has been done later: a failure caught at a callback's edge, or a match reported lost.
std::vector<std::string> unexpectedConsoleLines(const std::string& console);

// Ends the session as hostsim ends it, then checks what a fault must leave behind: nothing escaped into
// the host, `statsFile` holds the rows of `points` in order, and the console holds no unexpected line.
void expectCleanEnd(SteppedHost& host, const std::filesystem::path& statsFile,
                    const std::vector<int>& points);

// The texts a frame of the trace drew, unquoted.
std::vector<std::string> drawnTexts(const std::vector<std::string>& frameLines);
