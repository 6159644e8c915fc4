// Arbitrary stats-file bytes through the read at load, the statistics refresh, a scoreboard opening
// and one frame, then a recorded match appended to them and shown: nothing may throw, crash or draw
// beyond seven boxes, and the append keeps every byte the file held.
#include "fuzz/FuzzHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzHost host;
    host.writeStatsFile(data, size);
    host.plugin().loadStatsFile(host.plugin().getStatsFilePath());
    host.openScoreboardAndDrawFrame();
    host.recordMatchAndCheckAppend();
    host.openScoreboardAndDrawFrame();
    return 0;
}
