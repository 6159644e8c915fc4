// The local player's controller.
#pragma once

#include "pluginsdk/wrappers/PriWrapper.h"

class PLUGINSDK_API PlayerControllerWrapper : public ActorWrapper {
public:
    using ActorWrapper::ActorWrapper;
    PriWrapper GetPRI() const;
};
