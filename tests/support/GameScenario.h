// Scenario text that sets the plugin up in a game, shared by the scenario tests of several folders.
#pragma once

#include <cstdint>
#include <string>

// Loads the plugin with the clock pinned at `clock` in an online ranked "Ranked Doubles" game
// (playlist 11) that the local player's team `team` won; `score` gives the goals of team 0, then of
// team 1 (e.g. "2 3").
std::string loadedInWonRankedDoubles(std::int64_t clock, int team, const std::string& score);
