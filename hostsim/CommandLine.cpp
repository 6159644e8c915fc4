#include "hostsim/CommandLine.h"

#include <charconv>
#include <cmath>

const char* const kHostsimUsage =
    "usage: hostsim run SCENARIO [--module PATH] [--data DIR] [--trace FILE] [--png FILE]\n"
    "       hostsim demo [--module PATH] [--data DIR] [--png FILE]\n"
    "       hostsim preview --stats CSV [--module PATH] [--set NAME=VALUE]... [--clock SECONDS] [--png "
    "FILE]\n";

std::optional<HostsimOptions> parseCommandLine(const std::vector<std::string>& arguments,
                                               std::string& error) {
    if (arguments.empty()) {
        error = "missing command";
        return std::nullopt;
    }
    HostsimOptions options;
    const std::string& mode = arguments[0];
    std::size_t next = 1;
    if (mode == "run") {
        if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0) {
            error = "run needs a scenario file";
            return std::nullopt;
        }
        options.scenario = std::filesystem::u8path(arguments[1]);
        next = 2;
    } else if (mode == "demo") {
        options.mode = HostsimOptions::Mode::Demo;
    } else if (mode == "preview") {
        options.mode = HostsimOptions::Mode::Preview;
    } else {
        error = "unknown command '" + mode + "'";
        return std::nullopt;
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
        if (!allowed(option)) {
            error = "unknown option '" + option + "' for " + mode;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = option + " needs a value";
            return std::nullopt;
        }
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
            if (equals == std::string::npos || equals == 0) {
                error = "--set needs NAME=VALUE, not '" + value + "'";
                return std::nullopt;
            }
            options.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else {
            double seconds = 0;
            auto [end, problem] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (problem != std::errc() || end != value.data() + value.size() || !std::isfinite(seconds)) {
                error = "--clock needs a number of seconds, not '" + value + "'";
                return std::nullopt;
            }
            options.clock = seconds;
        }
    }
    if (options.mode == Mode::Preview && !options.stats) {
        error = "preview needs --stats CSV";
        return std::nullopt;
    }
    return options;
}
