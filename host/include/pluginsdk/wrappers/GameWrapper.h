// The game as the host exposes it: events, timers, drawing, the online game, identity and files.
#pragma once

#include "pluginsdk/wrappers/CanvasWrapper.h"
#include "pluginsdk/wrappers/MMRWrapper.h"
#include "pluginsdk/wrappers/ServerWrapper.h"
#include "pluginsdk/wrappers/UniqueIDWrapper.h"

#include <filesystem>
#include <functional>
#include <string>

class PLUGINSDK_API GameWrapper {
public:
    explicit GameWrapper(std::shared_ptr<hostcore::World> world);

    void HookEvent(std::string eventName, std::function<void(std::string)> callback);
    // The callback runs every frame until UnregisterDrawables.
    void RegisterDrawable(std::function<void(CanvasWrapper)> callback);
    void UnregisterDrawables();
    // Runs the callback once, on the game thread, after the delay in seconds.
    void SetTimeout(std::function<void(GameWrapper*)> callback, float delaySeconds);

    // A handle to nothing while no online game is running.
    ServerWrapper GetOnlineGame();
    UniqueIDWrapper GetUniqueID();
    std::filesystem::path GetDataFolder();
    MMRWrapper GetMMRWrapper();

private:
    std::shared_ptr<hostcore::World> world_;
};
