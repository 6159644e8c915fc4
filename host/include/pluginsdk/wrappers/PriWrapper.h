// The local player's replication info: team and match figures.
#pragma once

#include "pluginsdk/wrappers/ActorWrapper.h"

#include <cstdint>

class PLUGINSDK_API PlayerReplicationInfoWrapper : public ActorWrapper {
public:
    using ActorWrapper::ActorWrapper;
    unsigned char GetTeamNum() const;
};

class PLUGINSDK_API PriWrapper : public PlayerReplicationInfoWrapper {
public:
    using PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper;

    int GetMatchScore() const;
    int GetMatchGoals() const;
    int GetMatchAssists() const;
    int GetMatchSaves() const;
    int GetMatchShots() const;
    int GetMatchDemolishes() const;
    std::uint32_t GetbMatchMVP() const;
};
