// Captures the local player's result when a match ends.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "recording/RecordableGame.h"
#include "recording/TimestampText.h"
#include "recording/ValueText.h"

void Tallyglass::onMatchEnded(std::string) {
    // Only online matches that are neither LAN nor private, with a local player and a winner, count.
    std::optional<ServerWrapper> recordable = recordableOnlineGame(*gameWrapper);
    if (!recordable)
        return;
    ServerWrapper& game = *recordable;
    GameSettingPlaylistWrapper playlist = game.GetPlaylist();
    PlayerControllerWrapper controller = game.GetLocalPrimaryPlayer();
    if (controller.IsNull())
        return;
    PriWrapper player = controller.GetPRI();
    if (player.IsNull())
        return;
    TeamWrapper winner = game.GetMatchWinner();
    ArrayWrapper<TeamWrapper> teams = game.GetTeams();
    if (winner.IsNull())
        return;
    // A spectator, or a match with fewer than two teams, has no score of its own to record.
    const int ownTeam = player.GetTeamNum();
    const int otherTeam = ownTeam == 0 ? 1 : 0;
    if (ownTeam >= teams.Count() || otherTeam >= teams.Count())
        return;

    const std::int64_t now = wallClockNow();
    matchRow.clear();
    matchRow["Win"] = winner.GetTeamNum() == ownTeam ? "1" : "0";
    matchRow["Playlist"] = fieldText(playlist.GetTitle().ToString());
    matchRow["MyTeamGoals"] = std::to_string(teams.Get(ownTeam).GetScore());
    matchRow["OtherTeamGoals"] = std::to_string(teams.Get(otherTeam).GetScore());
    matchRow["Ranked"] = std::to_string(playlist.GetbRanked());
    matchRow["MMR"] = std::to_string(wholeRating(currentMmr));
    matchRow["Timestamp"] = timestampText(now);
    matchRow["Time"] = std::to_string(now);
    matchRow["MVP"] = std::to_string(player.GetbMatchMVP());
    matchRow["Points"] = std::to_string(player.GetMatchScore());
    matchRow["Goals"] = std::to_string(player.GetMatchGoals());
    matchRow["Assists"] = std::to_string(player.GetMatchAssists());
    matchRow["Saves"] = std::to_string(player.GetMatchSaves());
    matchRow["Shots"] = std::to_string(player.GetMatchShots());
    matchRow["Demos"] = std::to_string(player.GetMatchDemolishes());

    queueMatchRow();
}
