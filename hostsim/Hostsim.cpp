#include "hostsim/Hostsim.h"

#include "hostsim/CommandLine.h"
#include "hostsim/DataFolder.h"
#include "hostsim/DemoScenario.h"
#include "hostsim/ModuleLoader.h"
#include "hostsim/Scenario.h"
#include "hostsim/Session.h"
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

bool readScenario(const HostsimOptions& options, std::string& name, std::string& text, std::ostream& err) {
    if (options.mode == HostsimOptions::Mode::Demo) {
        name = "demo";
        text = kDemoScenario;
        return true;
    }
    name = displayPath(options.scenario);
    std::ifstream in(options.scenario, std::ios::binary);
    if (!in) {
        err << name << ":0: cannot read the scenario file\n";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

} // namespace

int hostsimMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string problem;
    std::optional<HostsimOptions> options = parseCommandLine(arguments, problem);
    if (!options) {
        err << "hostsim: " << problem << "\n" << kHostsimUsage;
        return kUnreadable;
    }
    if (options->mode == HostsimOptions::Mode::Preview || options->png) {
        err << "hostsim: pictures and previews are not part of this build yet\n";
        return kUnreadable;
    }

    std::string scenarioName, scenarioText;
    if (!readScenario(*options, scenarioName, scenarioText, err))
        return kUnreadable;
    ScenarioParseError parseError;
    bool parsed = false;
    std::vector<ScenarioStep> steps = parseScenario(scenarioText, parseError, parsed);
    if (!parsed) {
        err << scenarioName << ":" << parseError.line << ": " << parseError.message << "\n";
        return kUnreadable;
    }

    LoadedModule module;
    if (!openModule(module, options->module.value_or(defaultModulePath()), err))
        return kModuleUnusable;

    std::filesystem::path dataFolder;
    try {
        dataFolder = prepareDataFolder(options->data);
    } catch (const std::filesystem::filesystem_error& error) {
        err << "hostsim: cannot prepare the data folder: " << error.what() << "\n";
        return kUnreadable;
    }
    if (!options->data)
        err << "hostsim: data folder " << displayPath(dataFolder) << "\n";

    std::ofstream traceFile;
    if (options->trace) {
        traceFile.open(*options->trace, std::ios::binary);
        if (!traceFile) {
            err << "hostsim: cannot write the trace file " << displayPath(*options->trace) << "\n";
            return kUnreadable;
        }
    }

    int line = 0;
    try {
        Session session(module, dataFolder, out);
        if (traceFile.is_open())
            session.world().traceSink = [&traceFile](const std::string& text) { traceFile << text << '\n'; };
        for (const ScenarioStep& step : steps) {
            line = step.line;
            step.action(session);
        }
        line = 0;
    } catch (const std::exception& error) {
        err << scenarioName << ":" << line
            << ": the plugin let an exception escape into the host: " << error.what() << "\n";
        return kPluginThrew;
    } catch (...) {
        err << scenarioName << ":" << line << ": the plugin let an exception escape into the host\n";
        return kPluginThrew;
    }
    out.flush();
    return kRan;
}
