// Follows the local player's skill rating as the host announces changes.
#include "plugin/Tallyglass.h"
#include "recording/RecordableGame.h"

void Tallyglass::onMmrUpdated(UniqueIDWrapper) {
    // Ratings count only from games whose matches are recorded.
    std::optional<ServerWrapper> game = recordableOnlineGame(*gameWrapper);
    if (!game)
        return;
    const int playlistId = game->GetPlaylist().GetPlaylistId();
    // Whichever player the announcement names, the local player's rating is the one the rows need.
    UniqueIDWrapper localPlayer = gameWrapper->GetUniqueID();
    currentMmr = gameWrapper->GetMMRWrapper().GetPlayerMMR(localPlayer, playlistId);
}
