// The plugin base class and the registration record a plugin module exports for the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class CVarManagerWrapper;
class GameWrapper;

namespace BakkesMod::Plugin {

// The host only loads modules built against this API version.
inline constexpr int kApiBuildVersion = 95;

enum PluginType : unsigned int { PLUGINTYPE_NONE = 0 };

// The host fills both pointers before it calls onLoad. The class deliberately has no virtual
// destructor: the module destroys its plugin through the plugin's own type.
class BakkesModPlugin {
public:
    std::shared_ptr<CVarManagerWrapper> cvarManager;
    std::shared_ptr<GameWrapper> gameWrapper;

    virtual void onLoad() {}
    virtual void onUnload() {}

    BakkesModPlugin() = default;
    BakkesModPlugin(const BakkesModPlugin&) = default;
    BakkesModPlugin(BakkesModPlugin&&) noexcept = default;
    BakkesModPlugin& operator=(const BakkesModPlugin&) = default;
    BakkesModPlugin& operator=(BakkesModPlugin&&) noexcept = default;

protected:
    ~BakkesModPlugin() = default;
};

// The record a module exports under the name "exports"; the host reads it by that name.
struct BakkesModPluginInfo {
    int apiBuildVersion;
    const char* fileName;
    const char* className;
    const char* pluginName;
    const char* pluginVersion;
    unsigned int pluginType;
    std::uintptr_t (*initializeFunc)();
    void (*deleteFunc)();
};

static_assert(sizeof(void*) == 8, "the registration record is laid out for 64-bit pointers");
static_assert(sizeof(BakkesModPluginInfo) == 64);
static_assert(offsetof(BakkesModPluginInfo, apiBuildVersion) == 0);
static_assert(offsetof(BakkesModPluginInfo, fileName) == 8);
static_assert(offsetof(BakkesModPluginInfo, className) == 16);
static_assert(offsetof(BakkesModPluginInfo, pluginName) == 24);
static_assert(offsetof(BakkesModPluginInfo, pluginVersion) == 32);
static_assert(offsetof(BakkesModPluginInfo, pluginType) == 40);
static_assert(offsetof(BakkesModPluginInfo, initializeFunc) == 48);
static_assert(offsetof(BakkesModPluginInfo, deleteFunc) == 56);

} // namespace BakkesMod::Plugin
