#include "recording/MatchResult.h"

#include "recording/RecordableGame.h"
#include "recording/TimestampText.h"
#include "recording/ValueText.h"
#include "statsfile/Columns.h"

std::optional<MatchResult> readMatchResult(GameWrapper& gameWrapper) {
    std::optional<ServerWrapper> recordable = recordableOnlineGame(gameWrapper);
    if (!recordable)
        return std::nullopt;
    ServerWrapper& game = *recordable;
    GameSettingPlaylistWrapper playlist = game.GetPlaylist();
    PlayerControllerWrapper controller = game.GetLocalPrimaryPlayer();
    if (controller.IsNull())
        return std::nullopt;
    PriWrapper player = controller.GetPRI();
    if (player.IsNull())
        return std::nullopt;
    TeamWrapper winner = game.GetMatchWinner();
    ArrayWrapper<TeamWrapper> teams = game.GetTeams();
    if (winner.IsNull())
        return std::nullopt;
    // A spectator, or a match with fewer than two teams, has no score of its own to record.
    const int ownTeam = player.GetTeamNum();
    const int otherTeam = ownTeam == 0 ? 1 : 0;
    if (ownTeam >= teams.Count() || otherTeam >= teams.Count())
        return std::nullopt;

    MatchResult result;
    result.won = winner.GetTeamNum() == ownTeam;
    result.title = fieldText(playlist.GetTitle().ToString());
    result.playlistId = playlist.GetPlaylistId();
    result.ownGoals = teams.Get(ownTeam).GetScore();
    result.otherGoals = teams.Get(otherTeam).GetScore();
    result.ranked = playlist.GetbRanked();
    result.mvp = player.GetbMatchMVP();
    result.points = player.GetMatchScore();
    result.goals = player.GetMatchGoals();
    result.assists = player.GetMatchAssists();
    result.saves = player.GetMatchSaves();
    result.shots = player.GetMatchShots();
    result.demos = player.GetMatchDemolishes();
    return result;
}

MatchRow matchRowOf(const MatchResult& result, std::int64_t time, std::int32_t ratingBefore) {
    // One case a column: a column added to the table cannot be left without its value.
    const auto valueOf = [&](StatsColumn column) -> std::string {
        switch (column) {
        case StatsColumn::Assists:
            return std::to_string(result.assists);
        case StatsColumn::Demos:
            return std::to_string(result.demos);
        case StatsColumn::Goals:
            return std::to_string(result.goals);
        case StatsColumn::Mmr:
            return std::to_string(ratingBefore);
        case StatsColumn::Mvp:
            return std::to_string(result.mvp);
        case StatsColumn::MyTeamGoals:
            return std::to_string(result.ownGoals);
        case StatsColumn::OtherTeamGoals:
            return std::to_string(result.otherGoals);
        case StatsColumn::Playlist:
            return result.title;
        case StatsColumn::Points:
            return std::to_string(result.points);
        case StatsColumn::Ranked:
            return std::to_string(result.ranked);
        case StatsColumn::Saves:
            return std::to_string(result.saves);
        case StatsColumn::Shots:
            return std::to_string(result.shots);
        case StatsColumn::Time:
            return std::to_string(time);
        case StatsColumn::Timestamp:
            return timestampText(time);
        case StatsColumn::Win:
            return result.won ? "1" : "0";
        case StatsColumn::MmrAfter:
            return {};
        }
        return {};
    };
    MatchRow row;
    for (const StatsColumnDescription& description : kStatsColumns)
        row[std::string(description.name)] = valueOf(description.column);
    return row;
}
