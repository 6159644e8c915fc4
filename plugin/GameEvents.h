// The game events the plugin hooks, by their full names.
#pragma once

inline constexpr const char* kScoreboardOpenedEvent = "Function TAGame.GFxData_GameEvent_TA.OnOpenScoreboard";
inline constexpr const char* kScoreboardClosedEvent =
    "Function TAGame.GFxData_GameEvent_TA.OnCloseScoreboard";
inline constexpr const char* kMatchEndedEvent = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
