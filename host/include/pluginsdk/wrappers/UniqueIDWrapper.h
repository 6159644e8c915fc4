// A player's platform identity.
#pragma once

#include "pluginsdk/Export.h"

#include <string>

class PLUGINSDK_API UniqueIDWrapper {
public:
    UniqueIDWrapper() = default;
    explicit UniqueIDWrapper(std::string id);

    // The id as text, as the host writes it in file names.
    std::string str() const;

private:
    std::string id_;
};
