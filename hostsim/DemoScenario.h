// The session `hostsim demo` plays: a weekend of matches in three playlists, told as a scenario.
#pragma once

#include <string>
#include <vector>

struct DemoPlaylist {
    const char* title;
    int id;
    int ranked;
    bool privateMatch;
};

struct DemoFigures {
    int points, goals, assists, saves, shots, demos;
    bool mvp;
};

enum class DemoOverlaySwitch { Unchanged, Stop, Start };

struct DemoMatch {
    DemoPlaylist playlist;
    int team;                 // the local player's team, 0 or 1
    int ownGoals, otherGoals; // never equal: a match always has a winner
    DemoFigures figures;
    double ratingBefore;         // the rating the host reports when the player joins
    double ratingAfter;          // the rating it announces after the result
    int pauseBefore;             // seconds between the previous match's end and this one's kick-off
    int length;                  // seconds the match lasts
    const char* aside = nullptr; // what the narrator says before the match, if anything
    DemoOverlaySwitch overlayBefore = DemoOverlaySwitch::Unchanged;

    bool won() const { return ownGoals > otherGoals; }
};

// The matches in the order they are played; the private one is not recorded.
const std::vector<DemoMatch>& demoMatches();

// The instant the demo's clock starts at, seconds since 1970 UTC: Thursday 3 December 2026, 18:40 UTC.
inline constexpr long long kDemoClockStart = 1796323200;

// The demo as a scenario in hostsim's scenario language.
std::string demoScenario();
