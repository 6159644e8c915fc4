// Arbitrary stats-file bytes through the read at load, the statistics refresh, a scoreboard opening
// and one frame: nothing may throw, crash or draw beyond seven boxes.
#include "fuzz/InProcessHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InProcessHost host;
    host.writeStatsFile(data, size);
    host.plugin().loadStatsFile(host.plugin().getStatsFilePath());
    host.openScoreboardAndDrawFrame();
    return 0;
}
