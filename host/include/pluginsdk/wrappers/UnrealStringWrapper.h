// A game string as the game hands it over.
#pragma once

#include "pluginsdk/Export.h"

#include <string>

class PLUGINSDK_API UnrealStringWrapper {
public:
    explicit UnrealStringWrapper(std::string text);
    std::string ToString() const;

private:
    std::string text_;
};
