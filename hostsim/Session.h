// One run of the substitute host: the world, the loaded module, the plugin the host holds and the
// pinned clock. Scenario commands act on it.
#pragma once

#include "hostcore/World.h"
#include "hostsim/ModuleLoader.h"
#include "pluginsdk/BakkesModPlugin.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

class Session {
public:
    Session(LoadedModule& module, std::filesystem::path dataRoot, std::ostream& out);
    ~Session();

    hostcore::World& world() { return *world_; }
    const std::filesystem::path& dataRoot() const { return dataRoot_; }
    std::ostream& out() { return out_; }

    void load();
    void unload();
    bool loaded() const { return plugin_ != nullptr; }

    // Pins the wall clock the plugin reads to this instant; from then on it moves with the host's time.
    void pinClock(std::chrono::microseconds sinceEpoch);
    void wait(std::chrono::microseconds duration);

private:
    void pushClockToModule();

    LoadedModule& module_;
    std::filesystem::path dataRoot_;
    std::ostream& out_;
    std::shared_ptr<hostcore::World> world_;
    std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin_;
    // The pinned wall clock minus the host's time, exactly; the plugin is shown its whole seconds.
    std::optional<std::chrono::microseconds> pinnedClock_;
};
