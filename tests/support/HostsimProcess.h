// Runs the hostsim program itself as a child process, for what only the real program shows: its
// command line as the system hands it over (any script on Windows) and its standard output.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the hostsim built beside the test program with these arguments (UTF-8). Standard output goes
// to `outputFile` when given (e.g. /dev/full), else it is captured.
ProcessResult runHostsimProgram(const std::vector<std::string>& arguments,
                                const std::optional<std::filesystem::path>& outputFile = std::nullopt);
