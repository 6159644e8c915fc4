// The plugin base class, and the registration record a plugin module exports for the host.
#pragma once

#include "pluginsdk/PluginInfo.h"

#include <memory>
#include <utility>

class CVarManagerWrapper;
class GameWrapper;

namespace BakkesMod::Plugin {

// The base class is defined here, inline, and every plugin module defines and exports its members
// (constructors, destructor, assignments, virtual table, onLoad and onUnload) from its own code, so a
// host finds them in the module whichever compiler built it. The SDK library itself does not export them.
#if defined(PLUGINSDK_BUILDING)
#define PLUGINSDK_PLUGIN_CLASS
#define PLUGINSDK_PLUGIN_MEMBER
#elif defined(_MSC_VER)
// Microsoft's compiler emits and exports every member of a class marked for export. Its warning that
// the shared pointers have no export of their own (C4251) does not apply: only the inline members,
// compiled into each side, touch them.
#define PLUGINSDK_PLUGIN_CLASS __declspec(dllexport)
#define PLUGINSDK_PLUGIN_MEMBER
#pragma warning(push)
#pragma warning(disable : 4251)
#elif defined(_WIN32)
// GCC and Clang emit an inline member only where it is called; "used" emits each one in the module.
#define PLUGINSDK_PLUGIN_CLASS __declspec(dllexport)
#define PLUGINSDK_PLUGIN_MEMBER __attribute__((used)) __declspec(dllexport)
#else
// The member's own visibility wins over -fvisibility-inlines-hidden.
#define PLUGINSDK_PLUGIN_CLASS __attribute__((visibility("default")))
#define PLUGINSDK_PLUGIN_MEMBER __attribute__((used, visibility("default")))
#endif

// The host fills both pointers before it calls onLoad. The class deliberately has no virtual
// destructor: the module destroys its plugin through the plugin's own type.
class PLUGINSDK_PLUGIN_CLASS BakkesModPlugin {
public:
    std::shared_ptr<CVarManagerWrapper> cvarManager;
    std::shared_ptr<GameWrapper> gameWrapper;

    PLUGINSDK_PLUGIN_MEMBER virtual void onLoad() {}
    PLUGINSDK_PLUGIN_MEMBER virtual void onUnload() {}

    PLUGINSDK_PLUGIN_MEMBER BakkesModPlugin() {}
    // Copies share both pointers; moves take them over and leave the source empty.
    PLUGINSDK_PLUGIN_MEMBER BakkesModPlugin(const BakkesModPlugin& other)
        : cvarManager(other.cvarManager)
        , gameWrapper(other.gameWrapper) {}
    PLUGINSDK_PLUGIN_MEMBER BakkesModPlugin(BakkesModPlugin&& other) noexcept
        : cvarManager(std::move(other.cvarManager))
        , gameWrapper(std::move(other.gameWrapper)) {}
    PLUGINSDK_PLUGIN_MEMBER BakkesModPlugin& operator=(const BakkesModPlugin& other) {
        cvarManager = other.cvarManager;
        gameWrapper = other.gameWrapper;
        return *this;
    }
    PLUGINSDK_PLUGIN_MEMBER BakkesModPlugin& operator=(BakkesModPlugin&& other) noexcept {
        cvarManager = std::move(other.cvarManager);
        gameWrapper = std::move(other.gameWrapper);
        return *this;
    }

protected:
    // Members go in reverse order: gameWrapper is released first, then cvarManager.
    PLUGINSDK_PLUGIN_MEMBER ~BakkesModPlugin() {}
};

#if defined(_MSC_VER) && !defined(PLUGINSDK_BUILDING)
#pragma warning(pop)
#endif

} // namespace BakkesMod::Plugin
