#include "tests/support/HostsimRun.h"

#include "hostsim/Hostsim.h"
#include "statsfile/PathText.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

std::vector<std::string> HostsimResult::traceLines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : trace)
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    return lines;
}

std::vector<std::string> HostsimResult::frame(int number) const {
    std::vector<std::string> lines;
    const std::string marker = "# frame " + std::to_string(number);
    bool inside = false;
    for (const std::string& line : trace) {
        if (line.rfind('#', 0) == 0) {
            if (inside)
                break;
            inside = line == marker;
            continue;
        }
        if (inside)
            lines.push_back(line);
    }
    return lines;
}

TempFolder::TempFolder() {
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("tallyglass-test-" + std::to_string(random()) + std::to_string(random()));
        if (fs::create_directory(path_))
            break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

fs::path defaultStatsFile(const fs::path& dataFolder) {
    return dataFolder / "76561198000000001_Tallyglass.csv";
}

std::string lineEnd() {
#if defined(_WIN32)
    return "\r\n";
#else
    return "\n";
#endif
}

std::string otherTestModule() {
    const char* module = std::getenv("TALLYGLASS_TEST_MODULE");
    return module ? module : "";
}

HostsimResult runHostsim(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    HostsimResult result;
    result.exitCode = hostsimMain(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

HostsimResult runScenario(const std::string& scenario, const fs::path& dataFolder,
                          const std::vector<std::string>& extraArguments) {
    TempFolder scratch;
    const fs::path scenarioFile = scratch / "scenario.txt";
    const fs::path traceFile = scratch / "trace.txt";
    writeFile(scenarioFile, scenario);
    std::vector<std::string> arguments{"run",     pathToUtf8(scenarioFile), "--data", pathToUtf8(dataFolder),
                                       "--trace", pathToUtf8(traceFile)};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    const std::string otherModule = otherTestModule();
    if (!otherModule.empty() &&
        std::find(extraArguments.begin(), extraArguments.end(), "--module") == extraArguments.end()) {
        arguments.push_back("--module");
        arguments.push_back(otherModule);
    }
    HostsimResult result = runHostsim(arguments);
    result.dataFolder = dataFolder;
    std::istringstream trace(readFile(traceFile));
    for (std::string line; std::getline(trace, line);)
        result.trace.push_back(line);
    return result;
}
