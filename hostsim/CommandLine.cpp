#include "hostsim/CommandLine.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/Seconds.h"

const char* const kHostsimUsage =
    "usage: hostsim run SCENARIO [--module PATH] [--data DIR] [--trace FILE] [--png FILE]\n"
    "       hostsim demo [--module PATH] [--data DIR] [--png FILE]\n"
    "       hostsim preview --stats CSV [--module PATH] [--set NAME=VALUE]... [--clock SECONDS] [--png "
    "FILE]\n"
    "       hostsim --help\n";

namespace {

// A bad command line: the reason, then the usage.
[[noreturn]] void refuseCommandLine(const std::string& reason) {
    refuse(reason + "\n" + kHostsimUsage);
}

} // namespace

HostsimOptions parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        refuseCommandLine("missing command");
    HostsimOptions options;
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            options.mode = HostsimOptions::Mode::Help;
            return options;
        }
    const std::string& mode = arguments[0];
    std::size_t next = 1;
    if (mode == "run") {
        if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0)
            refuseCommandLine("run needs a scenario file");
        options.scenario = std::filesystem::u8path(arguments[1]);
        next = 2;
    } else if (mode == "demo") {
        options.mode = HostsimOptions::Mode::Demo;
    } else if (mode == "preview") {
        options.mode = HostsimOptions::Mode::Preview;
    } else {
        refuseCommandLine("unknown command '" + displayText(mode) + "'");
    }

    using Mode = HostsimOptions::Mode;
    auto allowed = [&](const std::string& option) {
        if (option == "--module" || option == "--png")
            return true;
        if (option == "--data")
            return options.mode != Mode::Preview;
        if (option == "--trace")
            return options.mode == Mode::Run;
        return options.mode == Mode::Preview &&
               (option == "--stats" || option == "--set" || option == "--clock");
    };
    for (std::size_t i = next; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (!allowed(option))
            refuseCommandLine("unknown option '" + displayText(option) + "' for " + mode);
        if (i + 1 >= arguments.size())
            refuseCommandLine(option + " needs a value");
        const std::string& value = arguments[i + 1];
        std::filesystem::path path = std::filesystem::u8path(value);
        if (option == "--module")
            options.module = path;
        else if (option == "--data")
            options.data = path;
        else if (option == "--trace")
            options.trace = path;
        else if (option == "--png")
            options.png = path;
        else if (option == "--stats")
            options.stats = path;
        else if (option == "--set") {
            std::size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
                refuseCommandLine("--set needs NAME=VALUE, not '" + displayText(value) + "'");
            options.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else {
            options.clock = parseSeconds(value, "--clock");
        }
    }
    if (options.mode == Mode::Preview && !options.stats)
        refuseCommandLine("preview needs --stats CSV");
    return options;
}
