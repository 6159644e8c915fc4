// Follows the local player's skill rating as the host announces changes, and gives each row the rating
// of its own player and playlist.
#include "plugin/Tallyglass.h"
#include "recording/RecordableGame.h"
#include "recording/ValueText.h"

void Tallyglass::onMmrUpdated(UniqueIDWrapper) {
    // Ratings count only from games whose matches are recorded.
    std::optional<ServerWrapper> game = recordableOnlineGame(*gameWrapper);
    if (!game)
        return;
    const int playlistId = game->GetPlaylist().GetPlaylistId();
    // Whichever player the announcement names, the local player's rating is the one the rows need.
    UniqueIDWrapper localPlayer = gameWrapper->GetUniqueID();
    currentMmr = gameWrapper->GetMMRWrapper().GetPlayerMMR(localPlayer, playlistId);
    ratingRead_ = RatingReading{localPlayer.str(), playlistId};
    takeRatingAfter(ratingRead_->playerId, playlistId, currentMmr);
}

std::int32_t Tallyglass::ratingBeforeMatch(const std::string& playerId, std::int32_t playlistId) {
    if (!ratingRead_)
        return 0;
    if (ratingRead_->playerId == playerId && ratingRead_->playlistId == playlistId)
        return wholeRating(currentMmr);
    // The last reading is another playlist's or another player's: ask for this one's, as an
    // announcement would.
    UniqueIDWrapper localPlayer = gameWrapper->GetUniqueID();
    return wholeRating(gameWrapper->GetMMRWrapper().GetPlayerMMR(localPlayer, playlistId));
}
