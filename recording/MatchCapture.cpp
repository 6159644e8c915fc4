// Captures the local player's result when a match ends.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "recording/RecordableGame.h"
#include "recording/TimestampText.h"
#include "recording/ValueText.h"
#include "statsfile/Columns.h"

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

    // The host's values, read in the order the capture has always asked for them.
    const std::int64_t now = wallClockNow();
    const bool won = winner.GetTeamNum() == ownTeam;
    const std::string title = fieldText(playlist.GetTitle().ToString());
    const int ownGoals = teams.Get(ownTeam).GetScore();
    const int otherGoals = teams.Get(otherTeam).GetScore();
    const std::uint32_t ranked = playlist.GetbRanked();
    const std::uint32_t mvp = player.GetbMatchMVP();
    const int points = player.GetMatchScore();
    const int goals = player.GetMatchGoals();
    const int assists = player.GetMatchAssists();
    const int saves = player.GetMatchSaves();
    const int shots = player.GetMatchShots();
    const int demos = player.GetMatchDemolishes();

    // One case a column: a column added to the table cannot be left without its value.
    const auto valueOf = [&](StatsColumn column) -> std::string {
        switch (column) {
        case StatsColumn::Assists:
            return std::to_string(assists);
        case StatsColumn::Demos:
            return std::to_string(demos);
        case StatsColumn::Goals:
            return std::to_string(goals);
        case StatsColumn::Mmr:
            return std::to_string(wholeRating(currentMmr));
        case StatsColumn::Mvp:
            return std::to_string(mvp);
        case StatsColumn::MyTeamGoals:
            return std::to_string(ownGoals);
        case StatsColumn::OtherTeamGoals:
            return std::to_string(otherGoals);
        case StatsColumn::Playlist:
            return title;
        case StatsColumn::Points:
            return std::to_string(points);
        case StatsColumn::Ranked:
            return std::to_string(ranked);
        case StatsColumn::Saves:
            return std::to_string(saves);
        case StatsColumn::Shots:
            return std::to_string(shots);
        case StatsColumn::Time:
            return std::to_string(now);
        case StatsColumn::Timestamp:
            return timestampText(now);
        case StatsColumn::Win:
            return won ? "1" : "0";
        }
        return {};
    };
    matchRow.clear();
    for (const StatsColumnDescription& description : kStatsColumns)
        matchRow[std::string(description.name)] = valueOf(description.column);

    queueMatchRow();
}
