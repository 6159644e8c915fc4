// Modules hostsim must refuse: built from this file with BROKEN_WITHOUT_DELETE_ME (lacks an export)
// or BROKEN_API_VERSION (built against another API version).
#include "pluginsdk/BakkesModPlugin.h"

#include <cstdint>

#if defined(_WIN32)
#define BROKEN_EXPORT __declspec(dllexport)
#else
#define BROKEN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

BROKEN_EXPORT std::uintptr_t getPlugin() {
    return 0;
}

#if !defined(BROKEN_WITHOUT_DELETE_ME)
BROKEN_EXPORT void deleteMe() {}
#endif

#if defined(BROKEN_API_VERSION)
BROKEN_EXPORT BakkesMod::Plugin::BakkesModPluginInfo exports{
    BROKEN_API_VERSION, "", "Broken", "Broken", "0", 0, &getPlugin, nullptr};
#else
BROKEN_EXPORT BakkesMod::Plugin::BakkesModPluginInfo exports{95,  "", "Broken",   "Broken",
                                                             "0", 0,  &getPlugin, nullptr};
#endif
}
