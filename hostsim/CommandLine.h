// hostsim's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HostsimOptions {
    enum class Mode { Run, Demo, Preview };
    Mode mode = Mode::Run;
    std::filesystem::path scenario; // run
    std::optional<std::filesystem::path> module;
    std::optional<std::filesystem::path> data;
    std::optional<std::filesystem::path> trace;
    std::optional<std::filesystem::path> png;
    std::optional<std::filesystem::path> stats;            // preview
    std::vector<std::pair<std::string, std::string>> sets; // preview
    std::optional<double> clock;                           // preview
};

extern const char* const kHostsimUsage;

// Reads the arguments; on a bad command line returns nothing and says why in `error`.
std::optional<HostsimOptions> parseCommandLine(const std::vector<std::string>& arguments, std::string& error);
