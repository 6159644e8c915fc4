#include "hostsim/Preview.h"

#include "hostcore/World.h"
#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/InputFile.h"
#include "statsfile/FileName.h"
#include "statsfile/PathText.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace {

// A decimal number as a person would type it for a console variable: "210", "-1", "0.5", "+3", "1e2".
std::optional<double> numberOf(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    auto [stop, problem] = std::from_chars(begin, end, value);
    if (begin == end || problem != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string knownNames(const std::map<std::string, hostcore::ConsoleVariable>& variables) {
    std::string names;
    for (const auto& [name, variable] : variables)
        names += (names.empty() ? "" : ", ") + name;
    return names.empty() ? "none" : names;
}

std::string setting(const std::string& name, const std::string& value) {
    return "--set " + displayText(name) + "=" + displayText(value);
}

// Says so when the console kept a value within the variable's range instead of the one asked for.
void noteClampedValue(const hostcore::ConsoleVariable& variable, const std::string& asked,
                      std::ostream& notes) {
    const std::optional<double> value = numberOf(asked);
    if (!value)
        return;
    const bool below = variable.hasMin && *value < variable.min;
    const bool above = variable.hasMax && *value > variable.max;
    if (!below && !above)
        return;
    const auto bound = [](float number) { return hostcore::traceFloat(number); };
    notes << "hostsim: " << setting(variable.name, asked) << ": " << (below ? "below" : "above")
          << " the range of " << variable.name << " ("
          << (variable.hasMin ? bound(variable.min) : std::string("any")) << " to "
          << (variable.hasMax ? bound(variable.max) : std::string("any")) << "); the value used is "
          << variable.value << "\n";
}

} // namespace

void checkPreviewRequest(const HostsimOptions& options) {
    for (const auto& [name, value] : options.sets)
        if (!numberOf(value))
            refuse(setting(name, value) + ": the value '" + displayText(value) + "' is not a number");
    if (!options.stats)
        refuse("preview needs --stats CSV");
    requireRegularFile(*options.stats, "the stats file");
}

std::vector<ScenarioStep> previewSteps(const HostsimOptions& options, std::ostream& notes) {
    std::vector<ScenarioStep> steps;
    ScenarioTimeline timeline;
    int step = 0;
    auto add = [&](ScenarioAction action) { steps.push_back({++step, std::move(action)}); };

    // The player's own file is only ever read: the plugin works on a copy in the fresh data folder.
    add([stats = *options.stats](Session& session) {
        const std::filesystem::path copy =
            session.world().dataFolder / pathFromUtf8(statsFileName(session.world().playerId));
        std::error_code error;
        std::filesystem::copy_file(stats, copy, std::filesystem::copy_options::overwrite_existing, error);
        if (error)
            refuse("cannot copy the stats file " + displayPath(stats) + ": " + reasonText(error));
    });
    if (options.clock)
        add([sinceEpoch = *options.clock](Session& session) { session.pinClock(sinceEpoch); });
    add(parseCommand("load", {}, timeline));
    add([sets = options.sets](Session& session) {
        const auto& variables = session.world().consoleVariables();
        for (const auto& [name, value] : sets)
            if (variables.count(name) == 0)
                refuse(setting(name, value) + ": the plugin has no console variable '" + displayText(name) +
                       "'; it has: " + knownNames(variables));
    });
    for (const auto& [name, value] : options.sets) {
        add(parseCommand("console", {name, value}, timeline));
        add([name = name, value = value, &notes](Session& session) {
            const auto& variables = session.world().consoleVariables();
            if (auto variable = variables.find(name); variable != variables.end())
                noteClampedValue(variable->second, value, notes);
        });
    }
    add(parseCommand("scoreboard", {"open"}, timeline));
    add(parseCommand("frame", {}, timeline));
    return steps;
}
