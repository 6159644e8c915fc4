// Follows the local player's skill rating as the host announces changes.
#include "plugin/Tallyglass.h"

void Tallyglass::onMmrUpdated(UniqueIDWrapper) {
    // Ratings count only from games whose matches are recorded.
    ServerWrapper game = gameWrapper->GetOnlineGame();
    if (game.IsNull())
        return;
    GameSettingPlaylistWrapper playlist = game.GetPlaylist();
    if (playlist.IsLanMatch() || playlist.IsPrivateMatch())
        return;
    const int playlistId = playlist.GetPlaylistId();
    // Whichever player the announcement names, the local player's rating is the one the rows need.
    UniqueIDWrapper localPlayer = gameWrapper->GetUniqueID();
    currentMmr = gameWrapper->GetMMRWrapper().GetPlayerMMR(localPlayer, playlistId);
}
