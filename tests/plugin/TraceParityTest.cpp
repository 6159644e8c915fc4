// The same hostsim scenarios on the real module give the same traces, console and stats file on every
// platform the plugin ships for: Linux, and Windows (run under Wine by the windows preset). The expected
// texts were made on Linux; line ends and the data folder's path are normalised before comparing.
//
// To make them anew after a deliberate change of behaviour, run the test program on Linux with
// TALLYGLASS_WRITE_EXPECTED set to tests/plugin/expected.
#include "hostcore/World.h"
#include "statsfile/PathText.h"
#include "tests/support/FaultScenario.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

struct ParityScenario {
    const char* name;
    const char* statsFileBefore; // the local player's file before the run; null for none
    std::string scenario;
};

const std::string kTwelveMatchHistory =
    statsHeader(requiredColumnOrder()) + "\n" +
    "1,0,1,1010,0,2,1,Ranked Doubles,310,1,1,3,1796590000,22:46:40 12/06/26,1\n"
    "0,1,0,1002,0,0,2,Ranked Doubles,120,1,2,1,1796591000,23:03:20 12/06/26,0\n"
    "2,0,3,1021,1,4,2,Ranked Standard,540,1,0,6,1796592000,23:20:00 12/06/26,1\n"
    "0,0,0,0,0,1,3,Casual Duel,90,0,4,2,1796593000,23:36:40 12/06/26,0\n"
    "1,2,2,1030,0,3,0,Ranked Doubles,420,1,2,5,1796594000,23:53:20 12/06/26,1\n"
    "3,0,1,1041,1,5,4,Ranked Standard,610,1,1,4,1796595000,00:10:00 12/07/26,1\n"
    "0,0,1,1033,0,1,2,Ranked Doubles,200,1,3,3,1796596000,00:26:40 12/07/26,0\n"
    "1,1,0,0,0,2,2,Rumble, Heatseeker,150,0,0,1,1796597000,00:43:20 12/07/26,-1\n"
    "0,0,2,1045,0,3,1,Ranked Doubles,380,1,2,4,1796598000,01:00:00 12/07/26,1\n"
    "2,1,1,1052,1,4,3,Ranked Standard,505,1,3,5,1796599000,01:16:40 12/07/26,1\n"
    "0,0,0,1044,0,0,1,Ranked Doubles,110,1,5,0,1796600000,01:33:20 12/07/26,0\n"
    "1,0,1,1050,0,2,0,Ranked Doubles,330,1,1,2,1796601000,01:50:00 12/07/26,1\n";

// A session: a ranked match recorded and shown, the overlay stopped and started, a private match
// left out, a match of three teams, settings out of range.
const std::string kSessionScenario = R"(clock 1796677509
load
online title="Ranked Doubles" id=11 ranked=1
local team=1
score 2 3
winner 1
stats points=420 goals=2 assists=1 saves=3 shots=5 demos=1 mvp=1
rating 1050.75
announce
matchend
wait 6
scoreboard open
frame 2
scoreboard close
console tallyglass_stop
scoreboard open
frame
console tallyglass_start
online title="Private Match" private=1
matchend
wait 6
online title="Rumble, Heatseeker" id=28 ranked=0 private=0
local team=0
score 1 1 0
winner 1
stats points=95 goals=0 assists=0 saves=1 shots=1 demos=2 mvp=0
matchend
wait 30
console tallyglass_box_r 300
console tallyglass_box_goals 0
console tallyglass_box_opacity -5
scoreboard open
frame
unload
)";

// Twelve matches on file, drawn with moved, hidden and faded boxes, then again an hour later.
const std::string kHistoryScenario = R"(clock 1796677509
load
console tallyglass_box_mmr_x 10
console tallyglass_box_mmr_y 20
console tallyglass_box_shots 0
console tallyglass_text_opacity 128
scoreboard open
frame
wait 3600
scoreboard open
frame
)";

// A match of each of two players, the second one's on screen.
const std::string kPlayersScenario = R"(clock 1796677509
load
online title="Ranked Duel" id=10 ranked=1
score 4 0
winner 0
stats points=600 goals=4 shots=7
matchend
wait 6
player 76561198000000002
stats points=50 goals=0 shots=1
score 0 4
matchend
wait 6
scoreboard open
frame
)";

// A data folder missing for the first match and there for the second.
const std::string kMissingFolderScenario = R"(clock 1796677509
datafolder missing
load
online
winner 0
matchend
wait 6
scoreboard open
frame
datafolder .
matchend
wait 6
scoreboard open
frame
)";

const ParityScenario kScenarios[] = {
    {"session", nullptr, kSessionScenario},
    {"history", kTwelveMatchHistory.c_str(), kHistoryScenario},
    {"players", kTwelveMatchHistory.c_str(), kPlayersScenario},
    {"missing-folder", nullptr, kMissingFolderScenario},
};

// Test names and failure messages show the scenario's name.
void PrintTo(const ParityScenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Line ends to LF, the data folder to <data>, and the path separators behind it to '/'.
std::string normalised(std::string text, const fs::path& dataFolder) {
    text = replaceAll(text, "\r\n", "\n");
    const std::string folder = pathToUtf8(dataFolder);
    text = replaceAll(text, hostcore::traceQuote(folder).substr(1, hostcore::traceQuote(folder).size() - 2),
                      "<data>");
    text = replaceAll(text, folder, "<data>");
    text = replaceAll(text, "<data>\\\\", "<data>/");
    text = replaceAll(text, "<data>\\", "<data>/");
    text = replaceAll(text, "\\\\7656", "/7656");
    text = replaceAll(text, "\\7656", "/7656");
    return text;
}

class TraceParity : public testing::TestWithParam<ParityScenario> {};

TEST_P(TraceParity, TraceConsoleAndStatsFilesMatchTheLinuxRun) {
    const ParityScenario& parity = GetParam();
    TempFolder data;
    if (parity.statsFileBefore)
        writeFile(defaultStatsFile(data.path()), parity.statsFileBefore);
    HostsimResult run = runScenario(parity.scenario, data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::string statsFiles;
    for (const char* player : {"76561198000000001", "76561198000000002"}) {
        const fs::path file = data / (std::string(player) + "_Tallyglass.csv");
        statsFiles += std::string("== ") + player + "\n" + (fs::exists(file) ? readFile(file) : "<absent>\n");
    }
    const std::pair<const char*, std::string> actual[] = {
        {".trace", normalised(joinedLines(run.trace), data.path())},
        {".console", normalised(run.out, data.path())},
        {".csv", normalised(statsFiles, data.path())},
    };

    if (const char* writeTo = std::getenv("TALLYGLASS_WRITE_EXPECTED")) {
        for (const auto& [suffix, text] : actual)
            writeFile(fs::path(writeTo) / (std::string(parity.name) + suffix), text);
        return;
    }
    for (const auto& [suffix, text] : actual) {
        const fs::path expectedFile = fs::path("trace-parity-expected") / (std::string(parity.name) + suffix);
        ASSERT_TRUE(fs::exists(expectedFile)) << expectedFile;
        EXPECT_EQ(text, normalised(readFile(expectedFile), data.path())) << parity.name << suffix;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, TraceParity, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<ParityScenario>& scenario) {
                             return replaceAll(scenario.param.name, "-", "_");
                         });

} // namespace
