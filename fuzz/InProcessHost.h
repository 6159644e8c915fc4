// The real plugin object, loaded in-process into a fresh substitute-host world whose data folder is a
// scratch folder. Fuzz targets call the plugin's operations directly instead of through the host's
// callbacks, so whatever an operation throws reaches the fuzzer instead of being caught and logged.
#pragma once

#include "hostcore/World.h"
#include "plugin/Tallyglass.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

// Reports a broken promise of the plugin and stops the run, so libFuzzer records the input.
[[noreturn]] void fuzzFailure(const std::string& what);

class InProcessHost {
public:
    // A world at a fixed wall-clock time with the plugin loaded (its stats file absent at load).
    InProcessHost();
    ~InProcessHost();
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    hostcore::World& world() { return *world_; }
    Tallyglass& plugin() { return *plugin_; }

    // Replaces the local player's stats file with exactly these bytes.
    void writeStatsFile(const std::uint8_t* data, std::size_t size);
    // What the host does from a scoreboard opening to its first frame, with the plugin's operations
    // called directly; then checks that the frame stayed within what seven boxes can draw.
    void openScoreboardAndDrawFrame();
    // Ends an online match the local player won and lets its write fall due; then checks that the
    // stats file kept every byte it held and gained the row on a line of its own.
    void recordMatchAndCheckAppend();

private:
    std::shared_ptr<hostcore::World> world_;
    std::shared_ptr<Tallyglass> plugin_;
};
