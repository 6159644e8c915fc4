#include "hostsim/Preview.h"

#include "hostsim/RunRefusal.h"

#include <charconv>
#include <cmath>
#include <fstream>

namespace {

std::string displayPath(const std::filesystem::path& path) {
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A decimal number as a person would type it for a console variable: "210", "-1", "0.5", "+3", "1e2".
bool isNumber(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    auto [stop, problem] = std::from_chars(begin, end, value);
    return begin != end && problem == std::errc() && stop == end && std::isfinite(value);
}

std::string knownNames(const std::map<std::string, hostcore::ConsoleVariable>& variables) {
    std::string names;
    for (const auto& [name, variable] : variables)
        names += (names.empty() ? "" : ", ") + name;
    return names.empty() ? "none" : names;
}

} // namespace

std::string statsFileName(const std::string& playerId) {
    return playerId + "_Tallyglass.csv";
}

bool checkPreviewRequest(const HostsimOptions& options, std::string& error) {
    for (const auto& [name, value] : options.sets) {
        if (!isNumber(value)) {
            error = "--set " + name + "=" + value + ": the value '" + value + "' is not a number";
            return false;
        }
    }
    std::error_code ignored;
    if (!options.stats || !std::filesystem::is_regular_file(*options.stats, ignored) ||
        !std::ifstream(*options.stats, std::ios::binary)) {
        error = "cannot read the stats file " +
                (options.stats ? displayPath(*options.stats) : std::string("(none)"));
        return false;
    }
    return true;
}

std::vector<ScenarioStep> previewSteps(const HostsimOptions& options) {
    std::vector<ScenarioStep> steps;
    int step = 0;
    auto add = [&](ScenarioAction action) { steps.push_back({++step, std::move(action)}); };

    // The player's own file is only ever read: the plugin works on a copy in the fresh data folder.
    add([stats = *options.stats](Session& session) {
        const std::filesystem::path copy =
            session.world().dataFolder / statsFileName(session.world().playerId);
        std::error_code error;
        std::filesystem::copy_file(stats, copy, std::filesystem::copy_options::overwrite_existing, error);
        if (error)
            throw RunRefusal("cannot copy the stats file " + displayPath(stats) + ": " + error.message());
    });
    if (options.clock)
        add([seconds = *options.clock](Session& session) { session.pinClock(seconds); });
    add(parseCommand("load", {}));
    add([sets = options.sets](Session& session) {
        const auto& variables = session.world().consoleVariables();
        for (const auto& [name, value] : sets)
            if (variables.count(name) == 0)
                throw RunRefusal("--set " + name + "=" + value + ": the plugin has no console variable '" +
                                 name + "'; it has: " + knownNames(variables));
    });
    for (const auto& [name, value] : options.sets)
        add(parseCommand("console", {name, value}));
    add(parseCommand("scoreboard", {"open"}));
    add(parseCommand("frame", {}));
    return steps;
}
