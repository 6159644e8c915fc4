// Runs hostsim in-process against the real Tallyglass module built beside the test program, and
// hands back what a user of hostsim would see: exit status, console, errors and the trace.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct HostsimResult {
    int exitCode = -1;
    std::string out;                // the host console
    std::string err;                // hostsim's own messages
    std::vector<std::string> trace; // one entry per trace line
    std::filesystem::path dataFolder;

    // Trace lines that start with `prefix` (e.g. "DrawRect", "log "), in order.
    std::vector<std::string> traceLines(const std::string& prefix) const;
    // Trace lines from the marker "# frame N" up to the next marker.
    std::vector<std::string> frame(int number) const;
};

// A fresh, empty folder for one test; removed when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Plays `scenario` (scenario language text) with --data `dataFolder` and a trace; `extraArguments`
// are added to the command line (e.g. {"--module", path}).
HostsimResult runScenario(const std::string& scenario, const std::filesystem::path& dataFolder,
                          const std::vector<std::string>& extraArguments = {});

// The module TALLYGLASS_TEST_MODULE names, to play every scenario against another build of it (CI's
// build of the plugin alone against an installed SDK) instead of the one beside the test program;
// empty when unset.
std::string otherTestModule();

// Runs hostsim with exactly these arguments.
HostsimResult runHostsim(const std::vector<std::string>& arguments);

// Whole-file helpers for checking what the plugin wrote.
std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& content);

// The stats file hostsim's default player writes in `dataFolder`.
std::filesystem::path defaultStatsFile(const std::filesystem::path& dataFolder);

// The platform's text-mode line end, as the plugin's stats file uses it.
std::string lineEnd();
