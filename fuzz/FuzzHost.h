// The fuzz targets' host: the tests' in-process host (the real plugin object, constructed and loaded anew
// for each input) in one substitute-host world that the process keeps and resets to its new state for
// each input, with a scratch data folder (on tmpfs where there is one), a console that stops the run at
// any failure the plugin caught, and the checks the targets share. The targets call the plugin's
// operations directly instead of through the host's callbacks, so whatever an operation throws reaches
// the fuzzer instead of being caught and logged.
#pragma once

#include "tests/support/InProcessHost.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reports a broken promise of the plugin and stops the run, so libFuzzer records the input.
[[noreturn]] void fuzzFailure(const std::string& what);

class FuzzHost : public InProcessHost {
public:
    // A world at a fixed wall-clock time with the plugin loaded (its stats file absent at load).
    FuzzHost();

    // Replaces the local player's stats file with exactly these bytes, which must stay alive as long as
    // this host (the input's own bytes do).
    void writeStatsFile(const std::uint8_t* data, std::size_t size);
    // What the host does from a scoreboard opening to its first frame, with the plugin's operations
    // called directly; then checks that the frame stayed within what seven boxes can draw.
    void openScoreboardAndDrawFrame();
    // Ends an online match the local player won and lets its write fall due; then checks that the
    // stats file holds exactly the bytes writeStatsFile put there, followed by the row on a line of its
    // own.
    void recordMatchAndCheckAppend();

private:
    std::string_view written_;
};
