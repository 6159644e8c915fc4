#include "hostsim/RunPlan.h"

#include "hostsim/DemoScenario.h"
#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/InputFile.h"
#include "hostsim/Preview.h"

RunPlan planRun(const HostsimOptions& options, std::ostream& notes) {
    using Mode = HostsimOptions::Mode;
    RunPlan plan;
    plan.picture = options.png;
    if (options.mode == Mode::Preview) {
        checkPreviewRequest(options);
        plan.name = "preview";
        plan.steps = previewSteps(options, notes);
        plan.scratchData = true;
        plan.inputs.push_back(*options.stats);
        if (!plan.picture)
            plan.picture = std::filesystem::path(kPreviewPicture);
        return plan;
    }
    std::string text;
    if (options.mode == Mode::Demo) {
        plan.name = "demo";
        text = demoScenario();
        if (!plan.picture)
            plan.picture = std::filesystem::path(kDemoPicture);
    } else {
        plan.name = displayPath(options.scenario);
        plan.inputs.push_back(options.scenario);
        try {
            text = readRegularFile(options.scenario, kLargestScenarioFile, "the scenario file");
        } catch (const HostsimError& problem) {
            throw HostsimError::at(plan.name, 0, problem);
        }
    }
    plan.steps = parseScenario(text, plan.name);
    return plan;
}
