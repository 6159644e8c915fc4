// The real plugin object, loaded in this process into a substitute-host world in its new state. The
// world is the whole host, so a test or a fuzz target can change the disk between two host steps, call
// the plugin's operations directly and look at what the object keeps.
#pragma once

#include "hostcore/World.h"
#include "plugin/Tallyglass.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class InProcessHost {
public:
    using WorldSetup = std::function<void(hostcore::World&)>;

    // Pins the wall clock at `clock` (moving on with the host's time), lets `beforeLoad` prepare the
    // world (the game, or a console of its own), then loads the plugin as the host does.
    InProcessHost(const std::filesystem::path& dataFolder, std::int64_t clock,
                  const WorldSetup& beforeLoad = {});
    // The same in a world that outlives this host, reset first to a new world's state: a fuzz target
    // keeps one world for all its inputs, so the memory the world has grown to is not allocated anew
    // for each, while nothing of one input reaches the next.
    InProcessHost(std::shared_ptr<hostcore::World> world, const std::filesystem::path& dataFolder,
                  std::int64_t clock, const WorldSetup& beforeLoad = {});
    // Releases the plugin as the host does at unload, unpins the clock and resets the world, which
    // then holds nothing that refers to this host or the plugin.
    ~InProcessHost();
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    hostcore::World& world() { return *world_; }
    Tallyglass& plugin() { return *plugin_; }
    // The lines the plugin logged, unless `beforeLoad` gave the world a console of its own.
    const std::vector<std::string>& console() const { return console_; }

    // The host's event at the end of a match.
    void endMatch();
    // Advances the host's time (and the pinned clock), running the timer tasks that fall due.
    void wait(double seconds);
    // Releases the plugin as the host does at unload; with `dropCallbacks` false the host keeps the
    // plugin's timer tasks, as a careless host might.
    void release(bool dropCallbacks = true);

private:
    std::shared_ptr<hostcore::World> world_;
    std::shared_ptr<Tallyglass> plugin_;
    std::vector<std::string> console_;
};
