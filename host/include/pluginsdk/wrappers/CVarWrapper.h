// A handle to one console variable.
#pragma once

#include "pluginsdk/Export.h"

#include <memory>
#include <string>

class PLUGINSDK_API CVarWrapper {
public:
    CVarWrapper(std::shared_ptr<hostcore::World> world, std::string name);

    // True when no variable of this name is registered.
    bool IsNull() const;
    bool getBoolValue() const;
    int getIntValue() const;
    float getFloatValue() const;
    std::string getStringValue() const;
    // Sets the value as the console does, kept within the registered range.
    void setValue(std::string value);

private:
    std::shared_ptr<hostcore::World> world_;
    std::string name_;
};
