// The console variables the overlay is styled with, in registration order, and where each one's
// value is kept when the scoreboard opens.
#pragma once

#include "plugin/Tallyglass.h"

#include <array>
#include <cstdint>

struct ConsoleSetting {
    const char* name;
    const char* defaultValue;
    const char* description;
    float min;
    float max;
    bool Tallyglass::*flag;          // read with getBoolValue when set
    std::int32_t Tallyglass::*value; // read with getIntValue otherwise
};

inline constexpr std::array<ConsoleSetting, 26> kConsoleSettings{{
    {"tallyglass_box_mmr", "1", "Enables MMR Box", 0, 1, &Tallyglass::showMmrBox, nullptr},
    {"tallyglass_box_score", "1", "Enables Score Box", 0, 1, &Tallyglass::showScoreBox, nullptr},
    {"tallyglass_box_goals", "1", "Enables Goals Box", 0, 1, &Tallyglass::showGoalsBox, nullptr},
    {"tallyglass_box_assists", "1", "Enables Assists Box", 0, 1, &Tallyglass::showAssistsBox, nullptr},
    {"tallyglass_box_saves", "1", "Enables Saves Box", 0, 1, &Tallyglass::showSavesBox, nullptr},
    {"tallyglass_box_shots", "1", "Enables Shots Box", 0, 1, &Tallyglass::showShotsBox, nullptr},
    {"tallyglass_box_demos", "1", "Enables Demos Box", 0, 1, &Tallyglass::showDemosBox, nullptr},
    {"tallyglass_box_opacity", "210", "Change opacity for the stat boxes", 1, 255, nullptr,
     &Tallyglass::boxOpacity},
    {"tallyglass_text_opacity", "255", "Change opacity for the text", 1, 255, nullptr,
     &Tallyglass::textOpacity},
    {"tallyglass_box_r", "0", "Change Red Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxRed},
    {"tallyglass_box_g", "0", "Change Green Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxGreen},
    {"tallyglass_box_b", "0", "Change Blue Value for stat boxes", 0, 255, nullptr, &Tallyglass::boxBlue},
    {"tallyglass_box_mmr_x", "405", "Coordinates for MMR Box", 0, 1920, nullptr, &Tallyglass::mmrBoxX},
    {"tallyglass_box_mmr_y", "730", "Coordiantes for MMR Box", 0, 1080, nullptr, &Tallyglass::mmrBoxY},
    {"tallyglass_box_points_x", "405", "Coordinates for Points Box", 0, 1920, nullptr,
     &Tallyglass::pointsBoxX},
    {"tallyglass_box_points_y", "900", "Coordiantes for Points Box", 0, 1080, nullptr,
     &Tallyglass::pointsBoxY},
    {"tallyglass_box_goals_x", "740", "Coordinates for Goals Box", 0, 1920, nullptr, &Tallyglass::goalsBoxX},
    {"tallyglass_box_goals_y", "900", "Coordiantes for Goals Box", 0, 1080, nullptr, &Tallyglass::goalsBoxY},
    {"tallyglass_box_assists_x", "1070", "Coordinates for Assists Box", 0, 1920, nullptr,
     &Tallyglass::assistsBoxX},
    {"tallyglass_box_assists_y", "900", "Coordiantes for Assists Box", 0, 1080, nullptr,
     &Tallyglass::assistsBoxY},
    {"tallyglass_box_saves_x", "1400", "Coordinates for Saves Box", 0, 1920, nullptr, &Tallyglass::savesBoxX},
    {"tallyglass_box_saves_y", "900", "Coordiantes for Saves Box", 0, 1080, nullptr, &Tallyglass::savesBoxY},
    {"tallyglass_box_shots_x", "740", "Coordinates for Shots Box", 0, 1920, nullptr, &Tallyglass::shotsBoxX},
    {"tallyglass_box_shots_y", "730", "Coordiantes for Shots Box", 0, 1080, nullptr, &Tallyglass::shotsBoxY},
    {"tallyglass_box_demos_x", "1070", "Coordinates for Demos Box", 0, 1920, nullptr, &Tallyglass::demosBoxX},
    {"tallyglass_box_demos_y", "730", "Coordinates for Demos Box", 0, 1080, nullptr, &Tallyglass::demosBoxY},
}};
