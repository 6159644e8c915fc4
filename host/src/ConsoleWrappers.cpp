// The console wrappers: log lines, notifiers and console variables.
#include "hostcore/World.h"
#include "pluginsdk/wrappers/CVarManagerWrapper.h"

#include <climits>
#include <cmath>
#include <cstdlib>

using hostcore::traceFloat;
using hostcore::traceQuote;

CVarManagerWrapper::CVarManagerWrapper(std::shared_ptr<hostcore::World> world)
    : world_(std::move(world)) {}

void CVarManagerWrapper::log(std::string text) {
    if (world_->tracing())
        world_->trace("log " + traceQuote(text));
    world_->console(text);
}

void CVarManagerWrapper::registerNotifier(std::string name,
                                          std::function<void(std::vector<std::string>)> callback,
                                          std::string description, unsigned char permissions) {
    if (world_->tracing())
        world_->trace("registerNotifier " + traceQuote(name) + " " + traceQuote(description) + " " +
                      std::to_string(permissions));
    world_->addNotifier(std::move(name), std::move(callback));
}

CVarWrapper CVarManagerWrapper::registerCvar(std::string name, std::string defaultValue,
                                             std::string description, bool searchable, bool hasMin, float min,
                                             bool hasMax, float max, bool saveToCfg) {
    if (world_->tracing())
        world_->trace("registerCvar " + traceQuote(name) + " " + traceQuote(defaultValue) + " " +
                      traceQuote(description) + " " + std::to_string(searchable) + " " +
                      std::to_string(hasMin) + " " + traceFloat(min) + " " + std::to_string(hasMax) + " " +
                      traceFloat(max) + " " + std::to_string(saveToCfg));
    world_->addCvar(hostcore::ConsoleVariable{
        name, defaultValue, description, searchable, hasMin, min, hasMax, max, saveToCfg, {}});
    return CVarWrapper(world_, std::move(name));
}

CVarWrapper CVarManagerWrapper::getCvar(std::string name) {
    if (world_->tracing())
        world_->trace("getCvar " + traceQuote(name));
    return CVarWrapper(world_, std::move(name));
}

CVarWrapper::CVarWrapper(std::shared_ptr<hostcore::World> world, std::string name)
    : world_(std::move(world))
    , name_(std::move(name)) {}

bool CVarWrapper::IsNull() const {
    return !world_ || world_->findCvar(name_) == nullptr;
}

std::string CVarWrapper::getStringValue() const {
    const hostcore::ConsoleVariable* cvar = world_ ? world_->findCvar(name_) : nullptr;
    return cvar ? cvar->value : std::string();
}

float CVarWrapper::getFloatValue() const {
    std::string text = getStringValue();
    return std::strtof(text.c_str(), nullptr);
}

int CVarWrapper::getIntValue() const {
    double value = std::strtod(getStringValue().c_str(), nullptr);
    if (!std::isfinite(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

bool CVarWrapper::getBoolValue() const {
    return getIntValue() != 0;
}

void CVarWrapper::setValue(std::string value) {
    if (hostcore::ConsoleVariable* cvar = world_ ? world_->findCvar(name_) : nullptr)
        world_->setCvar(*cvar, value);
}
