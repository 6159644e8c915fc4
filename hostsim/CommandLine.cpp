#include "hostsim/CommandLine.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/Seconds.h"
#include "statsfile/PathText.h"

#include <array>

const char* const kHostsimUsage =
    "usage: hostsim run SCENARIO [--module PATH] [--data DIR] [--trace FILE] [--png FILE]\n"
    "       hostsim demo [--module PATH] [--data DIR] [--png FILE]\n"
    "       hostsim preview --stats CSV [--module PATH] [--set NAME=VALUE]... [--clock SECONDS] [--png "
    "FILE]\n"
    "       hostsim --help\n";

namespace {

using Mode = HostsimOptions::Mode;

// The options whose value is a path, and where each is kept.
struct PathOption {
    const char* name;
    std::optional<std::filesystem::path> HostsimOptions::*value;
};

constexpr std::array<PathOption, 5> kPathOptions{{
    {"--module", &HostsimOptions::module},
    {"--data", &HostsimOptions::data},
    {"--trace", &HostsimOptions::trace},
    {"--png", &HostsimOptions::png},
    {"--stats", &HostsimOptions::stats},
}};

// A bad command line: the reason, then the usage.
[[noreturn]] void refuseCommandLine(const std::string& reason) {
    refuse(reason + "\n" + kHostsimUsage);
}

bool asksForHelp(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h")
            return true;
    return false;
}

// Reads the command (and for run its scenario) into `options`; returns where its options begin.
std::size_t readCommand(const std::vector<std::string>& arguments, HostsimOptions& options) {
    const std::string& command = arguments[0];
    if (command == "run") {
        if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0)
            refuseCommandLine("run needs a scenario file");
        options.scenario = pathFromUtf8(arguments[1]);
        return 2;
    }
    if (command == "demo")
        options.mode = Mode::Demo;
    else if (command == "preview")
        options.mode = Mode::Preview;
    else
        refuseCommandLine("unknown command '" + displayText(command) + "'");
    return 1;
}

bool optionAllowed(Mode mode, const std::string& option) {
    if (option == "--module" || option == "--png")
        return true;
    if (option == "--data")
        return mode != Mode::Preview;
    if (option == "--trace")
        return mode == Mode::Run;
    return mode == Mode::Preview && (option == "--stats" || option == "--set" || option == "--clock");
}

// Keeps the value of an option that `optionAllowed` let through.
void readOptionValue(const std::string& option, const std::string& value, HostsimOptions& options) {
    // Every value is taken as a path first: one that cannot be (not UTF-8, on Windows) is refused
    // whatever the option.
    const std::filesystem::path path = pathFromUtf8(value);
    for (const PathOption& pathOption : kPathOptions) {
        if (option == pathOption.name) {
            options.*pathOption.value = path;
            return;
        }
    }
    if (option == "--set") {
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0)
            refuseCommandLine("--set needs NAME=VALUE, not '" + displayText(value) + "'");
        options.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        return;
    }
    options.clock = parseSeconds(value, "--clock");
}

} // namespace

HostsimOptions parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        refuseCommandLine("missing command");
    HostsimOptions options;
    if (asksForHelp(arguments)) {
        options.mode = Mode::Help;
        return options;
    }
    for (std::size_t i = readCommand(arguments, options); i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (!optionAllowed(options.mode, option))
            refuseCommandLine("unknown option '" + displayText(option) + "' for " + arguments[0]);
        if (i + 1 >= arguments.size())
            refuseCommandLine(option + " needs a value");
        readOptionValue(option, arguments[i + 1], options);
    }
    if (options.mode == Mode::Preview && !options.stats)
        refuseCommandLine("preview needs --stats CSV");
    return options;
}
