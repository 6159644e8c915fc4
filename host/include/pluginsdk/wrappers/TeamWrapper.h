// One team of a match, addressed by its index in the match's array of teams.
#pragma once

#include "pluginsdk/wrappers/ActorWrapper.h"

class PLUGINSDK_API TeamInfoWrapper : public ActorWrapper {
public:
    TeamInfoWrapper() = default;
    // A handle to the team at this index of the array of teams; an index the array does not hold
    // gives a handle to nothing.
    TeamInfoWrapper(std::shared_ptr<hostcore::World> world, int index);

    int GetScore() const;
    unsigned char GetTeamNum() const;

protected:
    int index_ = -1;
};

class PLUGINSDK_API TeamWrapper : public TeamInfoWrapper {
public:
    using TeamInfoWrapper::TeamInfoWrapper;
};
