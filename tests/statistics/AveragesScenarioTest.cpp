// The average lines a player sees under the stat boxes, through hostsim and the real module: right for
// the largest figures a row can hold, and for a file whose columns a spreadsheet put in another order.
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using testing::Contains;

namespace {

constexpr long long kMatchTime = 1796600000;

// The statistic of each "Average NAME: VALUE" line of the first frame, with its value.
std::map<std::string, std::string> drawnAverages(const HostsimResult& run) {
    std::map<std::string, std::string> averages;
    const std::string prefix = "DrawString \"Average ";
    for (const std::string& line : run.frame(1)) {
        if (line.rfind(prefix, 0) != 0)
            continue;
        const std::size_t colon = line.find(": ", prefix.size());
        const std::size_t quote = line.find('"', colon);
        if (colon != std::string::npos && quote != std::string::npos)
            averages[line.substr(prefix.size(), colon - prefix.size())] =
                line.substr(colon + 2, quote - colon - 2);
    }
    return averages;
}

std::vector<std::string> drawnTexts(const HostsimResult& run) {
    std::vector<std::string> texts;
    const std::string prefix = "DrawString \"";
    for (const std::string& line : run.frame(1))
        if (line.rfind(prefix, 0) == 0)
            texts.push_back(line.substr(prefix.size(), line.find('"', prefix.size()) - prefix.size()));
    return texts;
}

using Averages = std::map<std::string, std::string>;

} // namespace

// A rating the host reports as absurdly high is written as the largest 32-bit value; ten of them, or ten
// matches of three hundred million points, must still average to themselves.
TEST(AveragesOnTheScoreboard, TheLargestFiguresARowCanHoldAverageToThemselves) {
    TempFolder data;
    std::string file = statsHeader() + lineEnd();
    for (int match = 0; match < 9; ++match)
        file += "1,0,2,2147483647,0,3,1,Ranked Doubles,300000000,1,3,4," +
                std::to_string(kMatchTime + match) + ",00:00:00 12/07/26,1" + lineEnd();
    writeFile(defaultStatsFile(data.path()), file);

    HostsimResult run = runScenario("clock " + std::to_string(kMatchTime + 600) + R"(
load
online title="Ranked Doubles" id=11 ranked=1
local team=0
score 3 1
winner 0
rating 1e40
announce
stats points=300000000 goals=2 assists=1 saves=3 shots=4 demos=0
matchend
wait 6
scoreboard open
frame
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        readFile(defaultStatsFile(data.path())).rfind("1,0,2,2147483647,0,3,1,Ranked Doubles,300000000,1,"),
        file.size())
        << "the tenth row is the match just recorded";
    EXPECT_EQ(drawnAverages(run), (Averages{{"MMR", "2147483647.00"},
                                            {"Points", "300000000.00"},
                                            {"Goals", "2.00"},
                                            {"Assists", "1.00"},
                                            {"Saves", "3.00"},
                                            {"Shots", "4.00"},
                                            {"Demos", "0.00"}}));
}

// A spreadsheet that sorted or moved the columns saves the file in its own order; the rows are found
// by the header's names, and so are the averages under them.
TEST(AveragesOnTheScoreboard, AFileWithReorderedColumnsAveragesTheFiguresItsRowsShow) {
    TempFolder data;
    const std::string header =
        "Time,Timestamp,Playlist,Ranked,Win,MyTeamGoals,OtherTeamGoals,Goals,Assists,Saves,"
        "Shots,Demos,Points,MMR,MVP";
    const std::string t = std::to_string(kMatchTime);
    writeFile(defaultStatsFile(data.path()),
              header + lineEnd() +                                                                   //
                  t + ",00:00:00 12/07/26,Ranked Doubles,1,1,3,1,1,2,3,4,0,250,1000,0" + lineEnd() + //
                  t + ",00:00:00 12/07/26,Ranked Doubles,1,0,1,2,3,0,1,6,2,450,1010,0" + lineEnd() + //
                  t + ",00:00:00 12/07/26,Casual Chaos,0,1,4,2,3,1,5,2,1,351,1025,1" + lineEnd());

    HostsimResult run = runScenario(
        "clock " + std::to_string(kMatchTime + 90) + "\nload\nscoreboard open\nframe\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> texts = drawnTexts(run);
    for (const char* shown : {"1000", "1010", "1025", "250", "450", "351", "C Casual Chaos", "3-1"})
        EXPECT_THAT(texts, Contains(shown));
    EXPECT_EQ(drawnAverages(run), (Averages{{"MMR", "1011.67"},
                                            {"Points", "350.33"},
                                            {"Goals", "2.33"},
                                            {"Assists", "1.00"},
                                            {"Saves", "3.00"},
                                            {"Shots", "4.00"},
                                            {"Demos", "1.00"}}));
}
