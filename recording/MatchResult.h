// The local player's result of a match that ended, as the host tells it, and the row it becomes.
#pragma once

#include "plugin/HostSdk.h"
#include "recording/RowText.h"

#include <cstdint>
#include <optional>
#include <string>

struct MatchResult {
    std::string title; // the playlist's title, as one field of a line
    std::int32_t playlistId = 0;
    std::uint32_t ranked = 0;
    std::int32_t ownGoals = 0;
    std::int32_t otherGoals = 0;
    bool won = false;
    std::uint32_t mvp = 0;
    std::int32_t points = 0;
    std::int32_t goals = 0;
    std::int32_t assists = 0;
    std::int32_t saves = 0;
    std::int32_t shots = 0;
    std::int32_t demos = 0;
};

// The result of the online game that just ended, when it is one that is recorded: neither LAN nor
// private, with a local player who has replication info, a winner, and a team of the player's and
// another in the array of teams. None otherwise; nothing is changed either way.
std::optional<MatchResult> readMatchResult(GameWrapper& gameWrapper);

// The row of a match: every column's value text, the capture's moment given as `time`, the rating after
// the match left empty for the announcement to fill.
MatchRow matchRowOf(const MatchResult& result, std::int64_t time, std::int32_t ratingBefore);
