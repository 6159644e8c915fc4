// The fuzz targets' host: the tests' in-process host (the real plugin object in a fresh substitute-host
// world) with a scratch data folder, a console that stops the run at any failure the plugin caught, and
// the checks the targets share. The targets call the plugin's operations directly instead of through
// the host's callbacks, so whatever an operation throws reaches the fuzzer instead of being caught and
// logged.
#pragma once

#include "tests/support/InProcessHost.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Reports a broken promise of the plugin and stops the run, so libFuzzer records the input.
[[noreturn]] void fuzzFailure(const std::string& what);

class FuzzHost : public InProcessHost {
public:
    // A world at a fixed wall-clock time with the plugin loaded (its stats file absent at load).
    FuzzHost();

    // Replaces the local player's stats file with exactly these bytes.
    void writeStatsFile(const std::uint8_t* data, std::size_t size);
    // What the host does from a scoreboard opening to its first frame, with the plugin's operations
    // called directly; then checks that the frame stayed within what seven boxes can draw.
    void openScoreboardAndDrawFrame();
    // Ends an online match the local player won and lets its write fall due; then checks that the
    // stats file kept every byte it held and gained the row on a line of its own.
    void recordMatchAndCheckAppend();
};
