// hostsim's command line.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HostsimOptions {
    enum class Mode { Run, Demo, Preview, Help };
    Mode mode = Mode::Run;
    std::filesystem::path scenario; // run
    std::optional<std::filesystem::path> module;
    std::optional<std::filesystem::path> data;
    std::optional<std::filesystem::path> trace;
    std::optional<std::filesystem::path> png;
    std::optional<std::filesystem::path> stats;            // preview
    std::vector<std::pair<std::string, std::string>> sets; // preview
    std::optional<std::chrono::microseconds> clock;        // preview
};

extern const char* const kHostsimUsage;

// Reads the arguments; refuses (HostsimError, exit 2) a command line it cannot read, saying why.
HostsimOptions parseCommandLine(const std::vector<std::string>& arguments);
