#include "hostsim/RunPlan.h"

#include "hostsim/DemoScenario.h"
#include "hostsim/Preview.h"

#include <fstream>
#include <sstream>

namespace {

std::string displayPath(const std::filesystem::path& path) {
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool readScenarioFile(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

} // namespace

bool planRun(const HostsimOptions& options, RunPlan& plan, std::ostream& err) {
    using Mode = HostsimOptions::Mode;
    plan.picture = options.png;
    if (options.mode == Mode::Preview) {
        std::string problem;
        if (!checkPreviewRequest(options, problem)) {
            err << "hostsim: " << problem << "\n";
            return false;
        }
        plan.name = "preview";
        plan.steps = previewSteps(options);
        plan.scratchData = true;
        if (!plan.picture)
            plan.picture = std::filesystem::path(kPreviewPicture);
        return true;
    }
    std::string text;
    if (options.mode == Mode::Demo) {
        plan.name = "demo";
        text = demoScenario();
        if (!plan.picture)
            plan.picture = std::filesystem::path(kDemoPicture);
    } else {
        plan.name = displayPath(options.scenario);
        if (!readScenarioFile(options.scenario, text)) {
            err << plan.name << ":0: cannot read the scenario file\n";
            return false;
        }
    }
    ScenarioParseError parseError;
    bool parsed = false;
    plan.steps = parseScenario(text, parseError, parsed);
    if (!parsed) {
        err << plan.name << ":" << parseError.line << ": " << parseError.message << "\n";
        return false;
    }
    return true;
}
