// The "tallyglass_start" and "tallyglass_stop" console commands; both ignore their arguments.
#include "plugin/Tallyglass.h"

void Tallyglass::onStartCommand(std::vector<std::string>) {
    cvarManager->log("Tallyglass Plugin enabled!");
    pluginEnabled = true;
}

void Tallyglass::onStopCommand(std::vector<std::string>) {
    pluginEnabled = false;
}
