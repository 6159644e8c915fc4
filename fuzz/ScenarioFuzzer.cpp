// Arbitrary text through hostsim's scenario reader (read and checked only, never run): it either
// accepts the text or names a line and a reason (with control characters escaped), and throws
// nothing else.
#include "hostsim/HostsimError.h"
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
    const long long lines = static_cast<long long>(std::count(text.begin(), text.end(), '\n')) + 1;
    bool broken = false;
    try {
        std::vector<ScenarioStep> steps = parseScenario(text, "fuzz");
        broken = static_cast<long long>(steps.size()) > lines;
        for (const ScenarioStep& step : steps)
            broken = broken || step.line < 1 || step.line > lines || !step.action;
    } catch (const HostsimError& error) {
        // "fuzz:LINE: reason", LINE one of the text's lines, and the reason free of control characters.
        const std::string message = error.what();
        long long line = 0;
        const int read = std::sscanf(message.c_str(), "fuzz:%lld: ", &line);
        const std::size_t reason = message.find(": ", 5);
        broken = !error.located() || error.status() != ExitStatus::Unreadable || read != 1 || line < 1 ||
                 line > lines || reason == std::string::npos || reason + 2 >= message.size() ||
                 std::any_of(message.begin(), message.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    }
    if (broken) {
        std::fprintf(stderr, "fuzz: the scenario reader gave an inconsistent answer\n");
        std::abort();
    }
    return 0;
}
