// Captures the local player's result when a match ends.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "recording/MatchResult.h"

void Tallyglass::onMatchEnded(std::string) {
    const std::optional<MatchResult> result = readMatchResult(*gameWrapper);
    if (!result)
        return;
    // The row belongs to the player who played the match, even if another signs in before it is written.
    std::string playerId = gameWrapper->GetUniqueID().str();
    matchRow = matchRowOf(*result, wallClockNow(), ratingBeforeMatch(playerId, result->playlistId));
    queueMatchRow(std::move(playerId), result->playlistId);
}
