#include "hostsim/Hostsim.h"

#include "hostsim/CommandLine.h"
#include "hostsim/DataFolder.h"
#include "hostsim/DemoScenario.h"
#include "hostsim/ModuleLoader.h"
#include "hostsim/Preview.h"
#include "hostsim/RunPlan.h"
#include "hostsim/RunRefusal.h"
#include "hostsim/Scenario.h"
#include "hostsim/Session.h"
#include "hostsim/picture/FontFile.h"
#include "hostsim/picture/FrameRenderer.h"
#include "hostsim/picture/PngFile.h"
#include "pluginsdk/BakkesModPlugin.h"

#include <fstream>
#include <sstream>

namespace {

constexpr int kRan = 0;
constexpr int kModuleUnusable = 1;
constexpr int kUnreadable = 2;
constexpr int kPluginThrew = 3;

std::string displayPath(const std::filesystem::path& path) {
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Checks the module the way the host does before it asks for the plugin.
bool openModule(LoadedModule& module, const std::filesystem::path& file, std::ostream& err) {
    const std::string name = displayPath(file);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(file, ignored)) {
        err << "hostsim: cannot use module " << name << ": no such file\n";
        return false;
    }
    std::string reason;
    if (!module.open(file, reason)) {
        err << "hostsim: cannot use module " << name << ": it does not load (" << reason << ")\n";
        return false;
    }
    for (const char* exportName : {"exports", "getPlugin", "deleteMe"}) {
        if (!module.symbol(exportName)) {
            err << "hostsim: cannot use module " << name << ": it lacks the export '" << exportName << "'\n";
            return false;
        }
    }
    const auto* info = static_cast<const BakkesMod::Plugin::BakkesModPluginInfo*>(module.symbol("exports"));
    if (info->apiBuildVersion != BakkesMod::Plugin::kApiBuildVersion) {
        err << "hostsim: cannot use module " << name << ": its API version is " << info->apiBuildVersion
            << ", this host needs " << BakkesMod::Plugin::kApiBuildVersion << "\n";
        return false;
    }
    return true;
}

// What the run leaves for hostsim to report once the session is gone.
struct RunOutcome {
    std::vector<hostcore::DrawCall> lastFrame;
    std::filesystem::path statsFile;
};

// A picture can only be written into a folder that exists; say so before anything runs.
bool checkPictureFolder(const std::filesystem::path& picture, std::ostream& err) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::absolute(picture, ignored).parent_path();
    if (std::filesystem::is_directory(folder, ignored))
        return true;
    err << "hostsim: cannot write the picture " << displayPath(picture) << ": the folder "
        << displayPath(folder) << " does not exist\n";
    return false;
}

bool writePicture(const RunOutcome& outcome, const picture::MonoFont& font, const std::filesystem::path& file,
                  std::ostream& err) {
    if (outcome.lastFrame.empty())
        err << "hostsim: no frame drew anything; the picture " << displayPath(file)
            << " shows the scene alone\n";
    std::string problem;
    if (!picture::writePng(picture::drawFrame(outcome.lastFrame, font), file, problem)) {
        err << "hostsim: cannot write the picture " << displayPath(file) << ": " << problem << "\n";
        return false;
    }
    return true;
}

// Removes a data folder hostsim made for one run only, whatever way the run ends.
class ScratchFolder {
public:
    explicit ScratchFolder(std::optional<std::filesystem::path> folder)
        : folder_(std::move(folder)) {}
    ~ScratchFolder() {
        std::error_code ignored;
        if (folder_)
            std::filesystem::remove_all(*folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::optional<std::filesystem::path> folder_;
};

} // namespace

int hostsimMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string problem;
    std::optional<HostsimOptions> options = parseCommandLine(arguments, problem);
    if (!options) {
        err << "hostsim: " << problem << "\n" << kHostsimUsage;
        return kUnreadable;
    }
    RunPlan plan;
    if (!planRun(*options, plan, err))
        return kUnreadable;

    std::unique_ptr<picture::MonoFont> font;
    if (plan.picture) {
        if (!checkPictureFolder(*plan.picture, err))
            return kUnreadable;
        font = picture::loadPictureFont(problem);
        if (!font) {
            err << "hostsim: " << problem << "\n";
            return kUnreadable;
        }
    }

    LoadedModule module;
    if (!openModule(module, options->module.value_or(defaultModulePath()), err))
        return kModuleUnusable;

    std::filesystem::path dataFolder;
    try {
        dataFolder = prepareDataFolder(plan.scratchData ? std::nullopt : options->data);
    } catch (const std::filesystem::filesystem_error& error) {
        err << "hostsim: cannot prepare the data folder: " << error.what() << "\n";
        return kUnreadable;
    }
    ScratchFolder scratch(plan.scratchData ? std::optional(dataFolder) : std::nullopt);
    if (!options->data && !plan.scratchData)
        err << "hostsim: data folder " << displayPath(dataFolder) << "\n";

    std::ofstream traceFile;
    if (options->trace) {
        traceFile.open(*options->trace, std::ios::binary);
        if (!traceFile) {
            err << "hostsim: cannot write the trace file " << displayPath(*options->trace) << "\n";
            return kUnreadable;
        }
    }

    RunOutcome outcome;
    int line = 0;
    try {
        Session session(module, dataFolder, out);
        if (traceFile.is_open())
            session.world().traceSink = [&traceFile](const std::string& text) { traceFile << text << '\n'; };
        for (const ScenarioStep& step : plan.steps) {
            line = step.line;
            step.action(session);
        }
        line = 0;
        outcome.lastFrame = session.world().lastFrame();
        outcome.statsFile = session.world().dataFolder / statsFileName(session.world().playerId);
    } catch (const RunRefusal& refusal) {
        err << "hostsim: " << refusal.what() << "\n";
        return kUnreadable;
    } catch (const std::exception& error) {
        err << plan.name << ":" << line
            << ": the plugin let an exception escape into the host: " << error.what() << "\n";
        return kPluginThrew;
    } catch (...) {
        err << plan.name << ":" << line << ": the plugin let an exception escape into the host\n";
        return kPluginThrew;
    }

    if (plan.picture && !writePicture(outcome, *font, *plan.picture, err))
        return kUnreadable;
    if (options->mode == HostsimOptions::Mode::Demo) {
        std::error_code ignored;
        out << "\n";
        if (std::filesystem::is_regular_file(outcome.statsFile, ignored))
            out << "The stats file: " << displayPath(outcome.statsFile) << "\n";
        else
            out << "No stats file was written (it would be " << displayPath(outcome.statsFile) << ")\n";
    }
    if (options->mode != HostsimOptions::Mode::Run && plan.picture) {
        std::error_code ignored;
        out << "The picture: " << displayPath(std::filesystem::absolute(*plan.picture, ignored)) << "\n";
    }
    out.flush();
    return kRan;
}
