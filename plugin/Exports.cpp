// The module's exports: the registration record the host reads, the factory and the release entry,
// and, in builds for test hosts, the clock pin.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"

#include <cstddef>
#include <cstdint>
#include <new>

#if defined(_WIN32)
#define TALLYGLASS_EXPORT __declspec(dllexport)
#else
#define TALLYGLASS_EXPORT __attribute__((visibility("default")))
#endif

// The registration record as the host reads it: 64 bytes, little-endian, 64-bit pointers. Laid out
// here rather than taken from the SDK's headers, so it stays the same whatever those headers name it.
struct TallyglassRegistration {
    std::int32_t apiVersion;
    const char* sourceFile;
    const char* className;
    const char* pluginName;
    const char* pluginVersion;
    std::uint32_t pluginTypeFlags;
    std::uintptr_t (*factory)() noexcept;
    void (*release)() noexcept;
};

static_assert(sizeof(void*) == 8, "the registration record is laid out for 64-bit pointers");
static_assert(sizeof(TallyglassRegistration) == 64);
static_assert(offsetof(TallyglassRegistration, apiVersion) == 0);
static_assert(offsetof(TallyglassRegistration, sourceFile) == 8);
static_assert(offsetof(TallyglassRegistration, className) == 16);
static_assert(offsetof(TallyglassRegistration, pluginName) == 24);
static_assert(offsetof(TallyglassRegistration, pluginVersion) == 32);
static_assert(offsetof(TallyglassRegistration, pluginTypeFlags) == 40);
static_assert(offsetof(TallyglassRegistration, factory) == 48);
static_assert(offsetof(TallyglassRegistration, release) == 56);

// The host loads only modules built for this API version.
constexpr std::int32_t kHostApiVersion = 95;
constexpr std::uint32_t kNoPluginTypeFlags = 0;

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

TALLYGLASS_EXPORT TallyglassRegistration exports{
    kHostApiVersion, "plugin/Exports.cpp", "Tallyglass", "Tallyglass",
    "1.1",           kNoPluginTypeFlags,   &getPlugin,   &deleteMe,
};

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
