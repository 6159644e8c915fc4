// Shared pieces of the recording scenarios: a match the local player won and the stats file texts
// it should leave behind.
#pragma once

#include "tests/support/HostsimRun.h"
#include "tests/support/InProcessHost.h"

#include <filesystem>
#include <initializer_list>
#include <string>

// Loads the plugin with the clock at 1765141509 (21:05:09 12/07/25 in UTC, the tests' zone), in an
// online "Ranked Doubles" game that the local player's team 1 won 3:2, with points 420, goals 2,
// assists 1, saves 3, shots 5, demos 1 and MVP. No rating has been announced.
extern const std::string kLoadedAfterWonMatch;

// The local player's team 0 loses 1:4 with points 95, goals 1, shots 2 and nothing else; the match ends.
extern const std::string kLostMatch;

extern const std::string kHeader;
// The row kLoadedAfterWonMatch records when the match ends, with its MMR text and the rating after it.
std::string wonMatchRow(const std::string& mmr = "0", const std::string& mmrAfter = "");

// The lines, each followed by the platform's text-mode line end.
std::string fileLines(std::initializer_list<std::string> lines);

// The plugin loaded in this process, its host reporting `dataFolder`, with the clock and the game of
// kLoadedAfterWonMatch (team 1 won 3:2 in "Ranked Doubles" with the same figures).
InProcessHost hostAfterWonMatch(const std::filesystem::path& dataFolder);

// The default player's stats file in the run's data folder, or "<absent>".
std::string statsFileText(const HostsimResult& run);

// The stats file after kLoadedAfterWonMatch, then `scenarioLines`, ends its match and the write falls
// due; a run that fails fails the test.
std::string statsFileAfterMatch(const std::string& scenarioLines);

// How many writes the plugin scheduled.
int scheduledWrites(const HostsimResult& run);
