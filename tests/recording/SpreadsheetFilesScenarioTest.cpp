// Stats files a spreadsheet or a clock touched, end to end through hostsim and the real module: a match
// recorded into each goes in the file's own layout, the history report reads every row of it, and the
// scoreboard shows its playlists, scores and times in their columns.
#include "report/HistoryBuilder.h"
#include "tests/recording/RecordingScenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testing::Contains;
using testing::HasSubstr;
using testing::Not;

constexpr std::int64_t kClock = 1765141509; // the clock of kLoadedAfterWonMatch

// A header, an earlier match (Casual Duel, lost 1:4 with 95 points, eight minutes before) and the line
// the won match of kLoadedAfterWonMatch must become, all in one layout.
struct SavedFile {
    const char* what;
    std::string header;
    std::string earlierRow;
    std::string recordedRow;
    std::string lineEndInFile = "\n";
};

const std::string kEarlierTime = std::to_string(kClock - 480);

std::vector<SavedFile> savedFiles() {
    return {
        {"columns reordered",
         "Win,Playlist,Time,Timestamp,MMR,Points,Goals,Assists,Saves,Shots,Demos,MVP,MyTeamGoals,"
         "OtherTeamGoals,"
         "Ranked",
         "0,Casual Duel," + kEarlierTime + ",20:57:09 12/07/25,0,95,1,0,0,2,0,0,1,4,0",
         "1,Ranked Doubles,1765141509,21:05:09 12/07/25,0,420,2,1,3,5,1,1,3,2,1"},
        {"semicolons",
         "Assists;Demos;Goals;MMR;MVP;MyTeamGoals;OtherTeamGoals;Playlist;Points;Ranked;Saves;Shots;Time;"
         "Timestamp;Win",
         "0;0;1;0;0;1;4;Casual Duel;95;0;0;2;" + kEarlierTime + ";20:57:09 12/07/25;0",
         "1;1;2;0;1;3;2;Ranked Doubles;420;1;3;5;1765141509;21:05:09 12/07/25;1"},
        {"every field quoted",
         "\"Assists\",\"Demos\",\"Goals\",\"MMR\",\"MVP\",\"MyTeamGoals\",\"OtherTeamGoals\",\"Playlist\","
         "\"Points\",\"Ranked\",\"Saves\",\"Shots\",\"Time\",\"Timestamp\",\"Win\"",
         "\"0\",\"0\",\"1\",\"0\",\"0\",\"1\",\"4\",\"Casual Duel\",\"95\",\"0\",\"0\",\"2\",\"" +
             kEarlierTime + "\",\"20:57:09 12/07/25\",\"0\"",
         "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1"},
        {"byte-order mark and CR LF", "\xEF\xBB\xBF" + kHeader,
         "0,0,1,0,0,1,4,Casual Duel,95,0,0,2," + kEarlierTime + ",20:57:09 12/07/25,0,1062",
         "1,1,2,0,1,3,2,Ranked Doubles,420,1,3,5,1765141509,21:05:09 12/07/25,1,", "\r\n"},
        {"a column of the player's own",
         "Notes;" +
             std::string("Assists;Demos;Goals;MMR;MVP;MyTeamGoals;OtherTeamGoals;Playlist;Points;Ranked;"
                         "Saves;Shots;Time;Timestamp;Win"),
         "tilted;0;0;1;0;0;1;4;Casual Duel;95;0;0;2;" + kEarlierTime + ";20:57:09 12/07/25;0",
         ";1;1;2;0;1;3;2;Ranked Doubles;420;1;3;5;1765141509;21:05:09 12/07/25;1"},
    };
}

// The texts drawn in the run's frames.
std::vector<std::string> drawnTexts(const HostsimResult& run) {
    std::vector<std::string> texts;
    for (const std::string& line : run.traceLines("DrawString \"")) {
        const std::size_t end = line.rfind("\" ");
        texts.push_back(line.substr(12, end - 12));
    }
    return texts;
}

// A function, not a constant: kLoadedAfterWonMatch belongs to another file, whose constants may not be
// made yet when this file's are.
std::string recordAndShow() {
    return kLoadedAfterWonMatch + "matchend\nwait 6\nwait 54\nscoreboard open\nframe\n";
}

} // namespace

TEST(SpreadsheetFiles, AMatchGoesInTheFilesLayoutTheReportReadsEveryRowAndTheScoreboardShowsThem) {
    for (const SavedFile& saved : savedFiles()) {
        SCOPED_TRACE(saved.what);
        TempFolder data;
        const std::string before =
            saved.header + saved.lineEndInFile + saved.earlierRow + saved.lineEndInFile;
        writeFile(defaultStatsFile(data.path()), before);

        const HostsimResult run = runScenario(recordAndShow(), data.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(statsFileText(run), before + saved.recordedRow + saved.lineEndInFile);
        EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n") << "nothing to say about the file";

        const HistorySummary summary = summarizeStatsFile(defaultStatsFile(data.path()), kClock + 3600);
        EXPECT_EQ(summary.matches, 2u);
        EXPECT_EQ(summary.skippedCount, 0u) << (summary.skipped.empty() ? "" : summary.skipped[0].reason);
        EXPECT_EQ(summary.wins, 1u);
        EXPECT_EQ(summary.lastMatch, kClock);

        const std::vector<std::string> drawn = drawnTexts(run);
        for (const char* cell : {"R Ranked Doubles", "3-2", "420", "a minute ago", "C Casual Duel", "1-4",
                                 "95", "9 minutes ago", "Average Points: 257.50"})
            EXPECT_THAT(drawn, Contains(cell));
        EXPECT_THAT(drawn, Not(Contains(HasSubstr("\\\"")))) << "no quotes of the file on screen";
        EXPECT_THAT(drawn, Not(Contains(HasSubstr(";")))) << "no raw lines on screen";
    }
}

TEST(SpreadsheetFiles, AHeaderLackingColumnsTakesTheRowInThePluginsOrderAndTheConsoleSaysSoOnce) {
    TempFolder data;
    const std::string lacking = "Playlist;Points;Time;Win";
    const std::string before = lacking + "\nCasual Duel;95;" + kEarlierTime + ";0\n";
    writeFile(defaultStatsFile(data.path()), before);

    const HostsimResult run =
        runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\nmatchend\nwait 6\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run),
              before + "1;1;2;0;1;3;2;Ranked Doubles;420;1;3;5;1765141509;21:05:09 12/07/25;1;\n" +
                  "1;1;2;0;1;3;2;Ranked Doubles;420;1;3;5;1765141515;21:05:15 12/07/25;1;\n")
        << "nothing lost, and separated and ended as the file is";
    const std::string note =
        "lacks the columns Assists, Demos, Goals, MMR, MVP, MyTeamGoals, OtherTeamGoals, "
        "Ranked, Saves, Shots, Timestamp; new rows are written in Tallyglass's own order.";
    EXPECT_THAT(run.out, HasSubstr(note));
    EXPECT_EQ(run.out.find(note), run.out.rfind(note)) << "said once per file and load";
}

// A clock put back after a match (a dual boot) leaves a match later than now: it is a moment old, not
// 136 years.
TEST(SpreadsheetFiles, AMatchLaterThanTheClockIsOneSecondOld) {
    TempFolder data;
    writeFile(defaultStatsFile(data.path()),
              fileLines({kHeader, "0,0,1,0,0,1,4,Casual Duel,95,0,0,2," + std::to_string(kClock + 7200) +
                                      ",23:05:09 12/07/25,0"}));
    const HostsimResult run = runScenario(kLoadedAfterWonMatch + "scoreboard open\nframe\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> drawn = drawnTexts(run);
    EXPECT_THAT(drawn, Contains("one second ago"));
    EXPECT_THAT(drawn, Not(Contains(HasSubstr("years ago"))));
}

// A header of the plugin's fifteen fields with a column of the player's own in the place of Ranked: the
// plugin's rows below it, in its own order, show their ranked flag, while the player's line, which has no
// such flag, shows unranked.
TEST(SpreadsheetFiles, ThePluginsOwnRowsBelowAHeaderLackingRankedShowTheirFlag) {
    TempFolder data;
    const std::string noRanked =
        "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Tilt,"
        "Saves,Shots,Time,Timestamp,Win";
    const std::string before = fileLines(
        {noRanked, "0,0,1,0,0,1,4,Casual Duel,95,high,0,2," + kEarlierTime + ",20:57:09 12/07/25,0"});
    writeFile(defaultStatsFile(data.path()), before);

    const HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\nmatchend\nwait 6\n"
                                                                 "scoreboard open\nframe\n",
                                          data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("lacks the columns Ranked;"));
    const std::vector<std::string> drawn = drawnTexts(run);
    // Each box's table: the newest two rows ranked, the player's line not.
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "R Ranked Doubles"), 14);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "C Casual Duel"), 7);
    EXPECT_THAT(drawn, Not(Contains("C Ranked Doubles")));
    EXPECT_THAT(drawn, Contains("Average Points: 311.67")) << "every row counts toward the averages";
}
