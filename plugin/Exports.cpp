// The module's exports: the registration record the host reads, the factory and the release entry,
// and the clock pin a test host may use.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"

#include <cstdint>
#include <new>

#if defined(_WIN32)
#define TALLYGLASS_EXPORT __declspec(dllexport)
#else
#define TALLYGLASS_EXPORT __attribute__((visibility("default")))
#endif

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

TALLYGLASS_EXPORT BakkesMod::Plugin::BakkesModPluginInfo exports{
    BakkesMod::Plugin::kApiBuildVersion, "plugin/Exports.cpp", "Tallyglass", "Tallyglass", "1.1",
    BakkesMod::Plugin::PLUGINTYPE_NONE,  &getPlugin,           &deleteMe,
};

// For test hosts only: pins the clock the plugin reads match times and ages from (seconds since
// 1970-01-01 UTC), or, with pinned 0, returns it to the system clock. The game's host never calls it.
TALLYGLASS_EXPORT void TallyglassPinClock(int pinned, long long secondsSinceEpoch) noexcept {
    if (pinned)
        pinWallClock(secondsSinceEpoch);
    else
        unpinWallClock();
}

} // extern "C"
