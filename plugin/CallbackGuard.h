// Every host callback runs its body through runGuarded: whatever the body throws stays in the plugin.
#pragma once

#include "plugin/Tallyglass.h"

#include <exception>

template <class Body> void runGuarded(Tallyglass& plugin, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& error) {
        plugin.reportFailure(error.what());
    } catch (...) {
        plugin.reportFailure("unknown error");
    }
}
