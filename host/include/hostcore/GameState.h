// What the substitute host's game looks like at a moment: the online game, its teams and the local player.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hostcore {

struct Playlist {
    std::string title = "Ranked Doubles";
    int id = 11;
    std::uint32_t ranked = 1;
    bool lan = false;
    bool privateMatch = false;
};

enum class LocalPlayer {
    OnTeam,           // a controller with replication info, on localTeam
    NoController,     // no local player controller
    NoReplicationInfo // a controller without replication info
};

struct MatchFigures {
    int points = 0;
    int goals = 0;
    int assists = 0;
    int saves = 0;
    int shots = 0;
    int demos = 0;
    std::uint32_t mvp = 0;
};

struct GameState {
    bool online = false;
    Playlist playlist;
    LocalPlayer local = LocalPlayer::OnTeam;
    unsigned char localTeam = 0;
    std::vector<int> teamScores{0, 0};
    std::optional<int> winnerTeam; // team number of the winner, if any
    MatchFigures figures;
    std::map<int, float> ratings; // the local player's rating by playlist id
};

} // namespace hostcore
