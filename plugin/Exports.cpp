// The module's exports beside its registration record (plugin/Registration.cpp): the factory and the
// release entry, and, in builds for test hosts, the clock pin.
#include "plugin/Registration.h"
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"

#include <cstdint>
#include <new>

namespace {
std::shared_ptr<Tallyglass> pluginInstance;
}

extern "C" {

TALLYGLASS_EXPORT std::uintptr_t getPlugin() noexcept {
    if (!pluginInstance) {
        try {
            pluginInstance = std::make_shared<Tallyglass>();
        } catch (const std::bad_alloc&) {
            // The host finds the pointer empty and loads nothing.
        }
    }
    return reinterpret_cast<std::uintptr_t>(&pluginInstance);
}

TALLYGLASS_EXPORT void deleteMe() noexcept {
    // Empty the module's pointer before the object can go, so nothing finds a half-destroyed plugin.
    std::shared_ptr<Tallyglass> released = std::move(pluginInstance);
    pluginInstance.reset();
}

#if defined(TALLYGLASS_CLOCK_PIN)
// For test hosts only: pins the clock the plugin reads match times and ages from (seconds since
// 1970-01-01 UTC), or, with pinned 0, returns it to the system clock. The game's host never calls it.
TALLYGLASS_EXPORT void TallyglassPinClock(int pinned, long long secondsSinceEpoch) noexcept {
    if (pinned)
        pinWallClock(secondsSinceEpoch);
    else
        unpinWallClock();
}
#endif

} // extern "C"
