// Base of every handle to a game object; a handle may refer to nothing.
#pragma once

#include "pluginsdk/Export.h"

#include <memory>

class PLUGINSDK_API ActorWrapper {
public:
    ActorWrapper() = default;
    explicit ActorWrapper(std::shared_ptr<hostcore::World> world);

    // True for a handle to nothing.
    bool IsNull() const;

protected:
    std::shared_ptr<hostcore::World> world_;
};
