// Scenario text for matches whose ratings the host announces as it does in the game: the rating before
// the match read as the player joins, the new one a few seconds after the match ends, before its row is
// written (or, late, after it).
#pragma once

#include <string>

// Loads the plugin with the clock at `clock` in an online game of no playlist yet.
std::string ratedSessionStart(long long clock);

// A match in the playlist `title` (id `playlistId`), won 3-1 or lost 1-3. `announcedBefore`: the rating
// announced as the player joins (none when 0); `ratingAfter`: announced 3 seconds after the match ends,
// or, with `late`, after its row is written (none when 0). Ends 10 seconds after the match.
std::string ratedMatch(const std::string& title, int playlistId, bool win, double announcedBefore,
                       double ratingAfter, bool late = false);
