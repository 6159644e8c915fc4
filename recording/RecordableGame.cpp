#include "recording/RecordableGame.h"

std::optional<ServerWrapper> recordableOnlineGame(GameWrapper& gameWrapper) {
    ServerWrapper game = gameWrapper.GetOnlineGame();
    if (game.IsNull())
        return std::nullopt;
    GameSettingPlaylistWrapper playlist = game.GetPlaylist();
    if (playlist.IsLanMatch() || playlist.IsPrivateMatch())
        return std::nullopt;
    return game;
}
