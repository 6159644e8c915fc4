#include "hostsim/Hostsim.h"

#include "hostsim/CommandLine.h"
#include "hostsim/DataFolder.h"
#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/ModuleLoader.h"
#include "hostsim/OutputFile.h"
#include "hostsim/Preview.h"
#include "hostsim/RunPlan.h"
#include "hostsim/Scenario.h"
#include "hostsim/Session.h"
#include "hostsim/picture/FontFile.h"
#include "hostsim/picture/FrameRenderer.h"
#include "hostsim/picture/PngFile.h"
#include "pluginsdk/BakkesModPlugin.h"
#include "statsfile/FileName.h"
#include "statsfile/PathText.h"
#include "toolkit/SameFile.h"

#include <memory>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void refuseModule(const fs::path& file, const std::string& reason) {
    throw HostsimError(ExitStatus::ModuleUnusable, "cannot use module " + displayPath(file) + ": " + reason);
}

// Checks the module the way the host does before it asks for the plugin.
void openModule(LoadedModule& module, const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (!fs::exists(status))
        refuseModule(file, "no such file");
    if (!fs::is_regular_file(status))
        refuseModule(file, fs::is_directory(status) ? "it is a folder" : "it is not a regular file");
    module.open(file);
    for (const char* exportName : {"exports", "getPlugin", "deleteMe"})
        if (!module.symbol(exportName))
            refuseModule(file, std::string("it lacks the export '") + exportName + "'");
    const auto* info = static_cast<const BakkesMod::Plugin::BakkesModPluginInfo*>(module.symbol("exports"));
    if (info->apiBuildVersion != BakkesMod::Plugin::kApiBuildVersion)
        refuseModule(file, "its API version is " + std::to_string(info->apiBuildVersion) +
                               ", this host needs " + std::to_string(BakkesMod::Plugin::kApiBuildVersion));
}

// Files with the name messages give them: "the module", "the picture".
using NamedFiles = std::vector<std::pair<std::string, fs::path>>;

// No output may replace a file the run reads, nor another output: refused before anything runs.
void refuseOutputsOverInputs(const NamedFiles& outputs, const NamedFiles& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const auto& [what, output] = outputs[i];
        for (const auto& [inputWhat, input] : inputs)
            if (sameFile(output, input))
                refuse("cannot write " + what + " " + displayPath(output) + ": it is " + inputWhat + " " +
                       displayPath(input) + ", which this run reads");
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(output, outputs[j].second))
                refuse("cannot write " + what + " " + displayPath(output) + ": it is " + outputs[j].first +
                       " as well");
    }
}

// Removes a data folder hostsim made for one run only, whatever way the run ends.
class ScratchFolder {
public:
    explicit ScratchFolder(std::optional<fs::path> folder)
        : folder_(std::move(folder)) {}
    ~ScratchFolder() {
        std::error_code ignored;
        if (folder_)
            fs::remove_all(*folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::optional<fs::path> folder_;
};

// What the run leaves for hostsim to report once the session is gone.
struct RunOutcome {
    std::vector<hostcore::DrawCall> lastFrame;
    fs::path statsFile;
};

RunOutcome play(const RunPlan& plan, LoadedModule& module, const fs::path& dataFolder, std::ostream& out,
                OutputFile* trace) {
    RunOutcome outcome;
    int line = 0;
    try {
        Session session(module, dataFolder, out);
        if (trace)
            session.world().traceSink = [trace](const std::string& text) {
                trace->write(text);
                trace->write("\n", 1);
            };
        for (const ScenarioStep& step : plan.steps) {
            line = step.line;
            step.action(session);
        }
        line = 0;
        outcome.lastFrame = session.world().lastFrame();
        outcome.statsFile = session.world().dataFolder / pathFromUtf8(statsFileName(session.world().playerId));
    } catch (const HostsimError&) {
        throw;
    } catch (const std::exception& error) {
        throw HostsimError::at(
            plan.name, line,
            HostsimError(ExitStatus::PluginThrew,
                         "the plugin let an exception escape into the host: " + displayText(error.what())));
    } catch (...) {
        throw HostsimError::at(
            plan.name, line,
            HostsimError(ExitStatus::PluginThrew, "the plugin let an exception escape into the host"));
    }
    return outcome;
}

int printUsage(std::ostream& out) {
    out << kHostsimUsage;
    out.flush();
    if (!out)
        throw HostsimError(ExitStatus::OutputFailed, "cannot write the usage to standard output");
    return static_cast<int>(ExitStatus::Ran);
}

// Every file the run reads, named as the messages name it.
NamedFiles inputsOf(const HostsimOptions& options, const RunPlan& plan, const fs::path& modulePath,
                    const picture::PictureFont& font) {
    NamedFiles inputs;
    for (const fs::path& input : plan.inputs)
        inputs.emplace_back(options.mode == HostsimOptions::Mode::Preview ? "the stats file" : "the scenario",
                            input);
    inputs.emplace_back("the module", modulePath);
    for (const fs::path& file : font.files)
        inputs.emplace_back("a font", file);
    if (options.data && !plan.scratchData)
        inputs.emplace_back("the stats file", *options.data / pathFromUtf8(statsFileName(hostcore::kDefaultPlayerId)));
    return inputs;
}

NamedFiles outputsOf(const HostsimOptions& options, const RunPlan& plan) {
    NamedFiles outputs;
    if (options.trace)
        outputs.emplace_back("the trace file", *options.trace);
    if (plan.picture)
        outputs.emplace_back("the picture", *plan.picture);
    return outputs;
}

// The files the run writes, opened before it starts; each takes its place only when committed.
struct RunOutputs {
    std::unique_ptr<OutputFile> trace;
    std::unique_ptr<OutputFile> picture;
};

RunOutputs openOutputs(const HostsimOptions& options, const RunPlan& plan) {
    RunOutputs outputs;
    if (options.trace)
        outputs.trace = std::make_unique<OutputFile>(*options.trace, "the trace file");
    if (plan.picture)
        outputs.picture = std::make_unique<OutputFile>(*plan.picture, "the picture");
    return outputs;
}

void commitOutputs(RunOutputs& outputs, const RunPlan& plan, const RunOutcome& outcome,
                   const picture::PictureFont& font, std::ostream& err) {
    if (outputs.trace)
        outputs.trace->commit();
    if (outputs.picture) {
        if (outcome.lastFrame.empty())
            err << "hostsim: no frame drew anything; the picture " << displayPath(*plan.picture)
                << " shows the scene alone\n";
        picture::writePng(picture::drawFrame(outcome.lastFrame, *font.font), *outputs.picture);
        outputs.picture->commit();
    }
}

// Demo and preview end by saying where to find what they made.
void tellWhatWasMade(const HostsimOptions& options, const RunPlan& plan, const RunOutcome& outcome,
                     std::ostream& out) {
    if (options.mode == HostsimOptions::Mode::Demo) {
        std::error_code ignored;
        out << "\n";
        if (fs::is_regular_file(outcome.statsFile, ignored))
            out << "The stats file: " << displayPath(outcome.statsFile) << "\n";
        else
            out << "No stats file was written (it would be " << displayPath(outcome.statsFile) << ")\n";
    }
    if (options.mode != HostsimOptions::Mode::Run && plan.picture) {
        std::error_code ignored;
        out << "The picture: " << displayPath(fs::absolute(*plan.picture, ignored)) << "\n";
    }
}

int runHostsim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const HostsimOptions options = parseCommandLine(arguments);
    if (options.mode == HostsimOptions::Mode::Help)
        return printUsage(out);
    const RunPlan plan = planRun(options, err);
    const fs::path modulePath = options.module.value_or(defaultModulePath());
    picture::PictureFont font;
    if (plan.picture)
        font = picture::loadPictureFont();
    refuseOutputsOverInputs(outputsOf(options, plan), inputsOf(options, plan, modulePath, font));
    RunOutputs outputs = openOutputs(options, plan);
    LoadedModule module;
    openModule(module, modulePath);

    // Made only now that everything is checked, so a refused run leaves no folder behind.
    const fs::path dataFolder = prepareDataFolder(plan.scratchData ? std::nullopt : options.data);
    ScratchFolder scratch(plan.scratchData ? std::optional(dataFolder) : std::nullopt);
    if (!options.data && !plan.scratchData)
        err << "hostsim: data folder " << displayPath(dataFolder) << "\n";

    const RunOutcome outcome = play(plan, module, dataFolder, out, outputs.trace.get());
    commitOutputs(outputs, plan, outcome, font, err);
    tellWhatWasMade(options, plan, outcome, out);
    out.flush();
    if (!out)
        throw HostsimError(ExitStatus::OutputFailed, "cannot write the host console to standard output");
    return static_cast<int>(ExitStatus::Ran);
}

} // namespace

int hostsimMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        return runHostsim(arguments, out, err);
    } catch (const HostsimError& problem) {
        std::string message = problem.what();
        if (message.empty() || message.back() != '\n')
            message += '\n';
        err << (problem.located() ? "" : "hostsim: ") << message;
        err.flush();
        return static_cast<int>(problem.status());
    } catch (const std::exception& problem) {
        // Whatever else goes wrong (a path the system cannot handle, no memory) is told like any other
        // problem instead of ending the program.
        err << "hostsim: " << displayText(problem.what()) << "\n";
        err.flush();
        return static_cast<int>(ExitStatus::Unreadable);
    }
}
