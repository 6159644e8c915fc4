// Arbitrary console values together with a stats file, through the settings snapshot of a scoreboard
// opening and one frame.
//
// Input: the first 26 lines give the values of the 26 console variables in registration order (fewer
// lines leave the rest at their defaults); everything after them is the stats file. A value line's
// first character picks how the value arrives:
//   '=' the rest is stored as the host's saved text, unchecked (a hand-edited configuration file);
//   '>' the rest is typed on the host console after the variable's name;
//   otherwise the whole line is set through the variable's handle, as another plugin could.
#include "fuzz/FuzzHost.h"
#include "plugin/ConsoleSettings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void applyValue(FuzzHost& host, const ConsoleSetting& setting, std::string_view line) {
    if (!line.empty() && line.front() == '=') {
        if (hostcore::ConsoleVariable* cvar = host.world().findCvar(setting.name))
            cvar->value = std::string(line.substr(1));
    } else if (!line.empty() && line.front() == '>') {
        host.world().consoleLine(std::string(setting.name) + " " + std::string(line.substr(1)));
    } else {
        CVarWrapper(host.world().shared_from_this(), setting.name).setValue(std::string(line));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    FuzzHost host;

    std::size_t consumed = 0;
    for (const ConsoleSetting& setting : kConsoleSettings) {
        if (consumed >= input.size())
            break;
        std::size_t end = input.find('\n', consumed);
        if (end == std::string_view::npos)
            end = input.size();
        applyValue(host, setting, input.substr(consumed, end - consumed));
        consumed = end + 1;
    }
    consumed = std::min(consumed, input.size());

    host.writeStatsFile(data + consumed, size - consumed);
    host.plugin().loadStatsFile(host.plugin().getStatsFilePath());
    host.openScoreboardAndDrawFrame();
    return 0;
}
