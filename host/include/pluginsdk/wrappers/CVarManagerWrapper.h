// The host console: log lines, commands (notifiers) and console variables.
#pragma once

#include "pluginsdk/wrappers/CVarWrapper.h"

#include <functional>
#include <string>
#include <vector>

class PLUGINSDK_API CVarManagerWrapper {
public:
    explicit CVarManagerWrapper(std::shared_ptr<hostcore::World> world);

    void log(std::string text);
    void registerNotifier(std::string name, std::function<void(std::vector<std::string>)> callback,
                          std::string description, unsigned char permissions);
    CVarWrapper registerCvar(std::string name, std::string defaultValue, std::string description,
                             bool searchable, bool hasMin, float min, bool hasMax, float max, bool saveToCfg);
    CVarWrapper getCvar(std::string name);

private:
    std::shared_ptr<hostcore::World> world_;
};
