// Arbitrary text through hostsim's scenario reader (read and checked only, never run): it either
// accepts the text or names a line and a reason, and throws nothing else.
#include "hostsim/Scenario.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScenarioParseError error{0, {}};
    bool ok = false;
    std::vector<ScenarioStep> steps = parseScenario(text, error, ok);

    const long long lines = static_cast<long long>(std::count(text.begin(), text.end(), '\n')) + 1;
    bool broken = false;
    if (ok) {
        broken = static_cast<long long>(steps.size()) > lines;
        for (const ScenarioStep& step : steps)
            broken = broken || step.line < 1 || step.line > lines || !step.action;
    } else {
        broken = !steps.empty() || error.line < 1 || error.line > lines || error.message.empty();
    }
    if (broken) {
        std::fprintf(stderr, "fuzz: the scenario reader gave an inconsistent answer\n");
        std::abort();
    }
    return 0;
}
