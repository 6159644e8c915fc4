#include "tests/recording/RecordingScenario.h"
#include "tests/support/GameScenario.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <filesystem>

const std::string kLoadedAfterWonMatch = loadedInWonRankedDoubles(1765141509, 1, "2 3") +
                                         "stats points=420 goals=2 assists=1 saves=3 shots=5 demos=1 mvp=1\n";

const std::string kLostMatch = R"(local team=0
score 1 4
stats points=95 goals=1 assists=0 saves=0 shots=2 demos=0 mvp=0
matchend
)";

const std::string kHeader = statsHeader();

std::string wonMatchRow(const std::string& mmr, const std::string& mmrAfter) {
    return "1,1,2," + mmr + ",1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1," + mmrAfter;
}

std::string fileLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + lineEnd();
    return text;
}

std::string statsFileText(const HostsimResult& run) {
    const std::filesystem::path file = defaultStatsFile(run.dataFolder);
    return std::filesystem::exists(file) ? readFile(file) : "<absent>";
}

InProcessHost hostAfterWonMatch(const std::filesystem::path& dataFolder) {
    return InProcessHost(dataFolder, 1765141509, [](hostcore::World& world) {
        hostcore::GameState& game = world.game;
        game.online = true;
        game.localTeam = 1;
        game.teamScores = {2, 3};
        game.winnerTeam = 1;
        game.figures = {420, 2, 1, 3, 5, 1, 1};
    });
}

std::string statsFileAfterMatch(const std::string& scenarioLines) {
    TempFolder data;
    HostsimResult run =
        runScenario(kLoadedAfterWonMatch + scenarioLines + "\nmatchend\nwait 6\n", data.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return statsFileText(run);
}

int scheduledWrites(const HostsimResult& run) {
    return static_cast<int>(run.traceLines("SetTimeout ").size());
}
