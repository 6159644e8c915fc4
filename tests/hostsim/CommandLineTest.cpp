// hostsim's contract with its users: exit statuses and messages for modules it cannot use and for
// command lines and scenarios it cannot read, and that nothing runs in those cases.
#include "hostsim/ModuleLoader.h"
#include "tests/hostsim/ScenarioRefusal.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

namespace {

#if defined(_WIN32)
const char* const kModuleSuffix = ".dll";
#else
const char* const kModuleSuffix = ".so";
#endif

std::string brokenModule(const std::string& name) {
    auto path = (executableDirectory() / (name + kModuleSuffix)).u8string();
    return std::string(path.begin(), path.end());
}

TEST(HostsimModule, MissingFileIsRefusedWithStatusOneNamingTheFile) {
    TempFolder data;
    HostsimResult result = runScenario("load\n", data.path(), {"--module", "no-such-module.so"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("no-such-module.so"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("no such file"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(HostsimModule, ModuleLackingAnExportIsRefusedNamingTheExport) {
    TempFolder data;
    HostsimResult result =
        runScenario("load\n", data.path(), {"--module", brokenModule("ModuleWithoutDeleteMe")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ModuleWithoutDeleteMe"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("'deleteMe'"), std::string::npos) << result.err;
}

TEST(HostsimModule, ModuleOfAnotherApiVersionIsRefusedNamingBothVersions) {
    TempFolder data;
    HostsimResult result = runScenario("load\n", data.path(), {"--module", brokenModule("ModuleOfApi94")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ModuleOfApi94"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("its API version is 94, this host needs 95"), std::string::npos) << result.err;
}

TEST(HostsimScenario, UnknownCommandIsReportedByFileAndLineAndNothingRuns) {
    TempFolder data;
    HostsimResult result = runScenario("load\necho before\n\n# a comment\nfly away\n", data.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("scenario.txt:5: unknown command 'fly'"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "") << "the plugin was loaded although the scenario could not be read";
    EXPECT_TRUE(result.trace.empty());
}

TEST(HostsimScenario, BadArgumentsAreReportedByFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"wait soon\n", ":1: wait: the wait must be a decimal number"},
        {"load\nlocal team=256\n", ":2: local: team must lie between 0 and 255"},
        {"online ranked=yes\n", ":1: online: ranked must be a whole number"},
        {"online colour=red\n", ":1: online: unknown key 'colour'"},
        {"stats goals=1 goals=2\n", ":1: stats: key 'goals' given twice"},
        {"scoreboard opened\n", ":1: scoreboard: expected 'open' or 'close'"},
        {"echo \"unterminated\n", ":1: unterminated quote"},
        {"load now\n", ":1: load: expected 0 arguments, got 1"},
        {"frame -1\n", ":1: frame: the frame count must lie between"},
    };
    for (const auto& [scenario, message] : cases)
        expectRefusedByLine(scenario, message);
}

TEST(HostsimCommandLine, UnreadableCommandLinesExitWithStatusTwo) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {}, {"fly"}, {"run"}, {"run", "x.txt", "--trace"}, {"demo", "--trace", "t.txt"}, {"preview"}}) {
        HostsimResult result = runHostsim(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("usage: hostsim run SCENARIO"), std::string::npos) << result.err;
    }
    HostsimResult missing = runHostsim({"run", "no-such-scenario.txt"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("no-such-scenario.txt:0: cannot read"), std::string::npos) << missing.err;
}

TEST(HostsimScenario, QuotedArgumentsCommentsAndEscapesReachTheCommands) {
    TempFolder data;
    HostsimResult result = runScenario(
        "echo \"two  blanks\" # not printed\necho \"a \\\"quote\\\" and \\\\ backslash\"\necho a#b\n",
        data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "two  blanks\na \"quote\" and \\ backslash\na\n");
}

TEST(HostsimScenario, ConsoleLinesRunNotifiersAndSetAndPrintVariablesWithinTheirRange) {
    TempFolder data;
    HostsimResult result = runScenario("load\n"
                                       "console tallyglass_start\n"
                                       "console tallyglass_box_opacity 999\n"
                                       "console tallyglass_box_opacity\n"
                                       "console tallyglass_text_opacity -4\n"
                                       "console tallyglass_text_opacity\n"
                                       "console no_such_thing\n",
                                       data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n"
                          "Tallyglass Plugin enabled!\n"
                          "tallyglass_box_opacity = 255\n"
                          "tallyglass_text_opacity = 1\n"
                          "Unknown command: no_such_thing\n");
}

TEST(HostsimTimers, WaitRunsDueTasksAndScenarioEndUnloadsThePlugin) {
    TempFolder data;
    HostsimResult result = runScenario("load\nwait 0.5\nframe 2\n", data.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.traceLines("# frame").size(), 2u);
    ASSERT_FALSE(result.trace.empty());
    EXPECT_EQ(result.trace.back(), "# unload");
}

} // namespace
