// A Tallyglass object driven in this process by the substitute host's world, for tests that must
// change the disk between two host steps (a scenario runs in one go) or look at the object itself.
#pragma once

#include "hostcore/World.h"
#include "plugin/Tallyglass.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class InProcessPlugin {
public:
    // Loads a plugin whose host reports `dataFolder`, with the clock pinned at 1765141509 and the
    // game of kLoadedAfterWonMatch (team 1 won 3:2 in "Ranked Doubles" with the same figures).
    explicit InProcessPlugin(const std::filesystem::path& dataFolder);
    ~InProcessPlugin();
    InProcessPlugin(const InProcessPlugin&) = delete;
    InProcessPlugin& operator=(const InProcessPlugin&) = delete;

    hostcore::World& world() { return *world_; }
    Tallyglass& plugin() { return *plugin_; }
    const std::vector<std::string>& console() const { return console_; }

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
