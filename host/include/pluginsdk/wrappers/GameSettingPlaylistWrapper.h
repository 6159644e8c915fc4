// The playlist of a running online game.
#pragma once

#include "pluginsdk/wrappers/ActorWrapper.h"
#include "pluginsdk/wrappers/UnrealStringWrapper.h"

#include <cstdint>

class PLUGINSDK_API GameSettingPlaylistWrapper : public ActorWrapper {
public:
    using ActorWrapper::ActorWrapper;

    UnrealStringWrapper GetTitle() const;
    std::uint32_t GetbRanked() const;
    int GetPlaylistId() const;
    bool IsLanMatch() const;
    bool IsPrivateMatch() const;
};
