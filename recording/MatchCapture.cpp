// Captures the local player's result when a match ends.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "recording/RecordableGame.h"
#include "statsfile/Columns.h"
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
    const auto cell = [this](StatsColumn column) -> std::string& {
        return matchRow[std::string(columnName(column))];
    };
    cell(StatsColumn::Win) = std::to_string(winner.GetTeamNum() == ownTeam ? 1 : 0);
    cell(StatsColumn::Playlist) = fieldText(playlist.GetTitle().ToString());
    cell(StatsColumn::MyTeamGoals) = std::to_string(teams.Get(ownTeam).GetScore());
    cell(StatsColumn::OtherTeamGoals) = std::to_string(teams.Get(otherTeam).GetScore());
    cell(StatsColumn::Ranked) = std::to_string(playlist.GetbRanked());
    cell(StatsColumn::Mmr) = std::to_string(wholeRating(currentMmr));
    cell(StatsColumn::Timestamp) = timestampText(now);
    cell(StatsColumn::Time) = std::to_string(now);
    cell(StatsColumn::Mvp) = std::to_string(player.GetbMatchMVP());
    cell(StatsColumn::Points) = std::to_string(player.GetMatchScore());
    cell(StatsColumn::Goals) = std::to_string(player.GetMatchGoals());
    cell(StatsColumn::Assists) = std::to_string(player.GetMatchAssists());
    cell(StatsColumn::Saves) = std::to_string(player.GetMatchSaves());
    cell(StatsColumn::Shots) = std::to_string(player.GetMatchShots());
    cell(StatsColumn::Demos) = std::to_string(player.GetMatchDemolishes());

    queueMatchRow();
}
