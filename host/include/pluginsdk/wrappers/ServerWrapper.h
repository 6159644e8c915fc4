// The running online game.
#pragma once

#include "pluginsdk/wrappers/ArrayWrapper.h"
#include "pluginsdk/wrappers/GameSettingPlaylistWrapper.h"
#include "pluginsdk/wrappers/PlayerControllerWrapper.h"
#include "pluginsdk/wrappers/TeamWrapper.h"

class PLUGINSDK_API GameEventWrapper : public ActorWrapper {
public:
    using ActorWrapper::ActorWrapper;
    GameSettingPlaylistWrapper GetPlaylist() const;
    PlayerControllerWrapper GetLocalPrimaryPlayer() const;
};

class PLUGINSDK_API TeamGameEventWrapper : public GameEventWrapper {
public:
    using GameEventWrapper::GameEventWrapper;
    ArrayWrapper<TeamWrapper> GetTeams() const;
};

class PLUGINSDK_API ServerWrapper : public TeamGameEventWrapper {
public:
    using TeamGameEventWrapper::TeamGameEventWrapper;
    // The winning team, or a handle to nothing while there is none.
    TeamWrapper GetMatchWinner() const;
};
