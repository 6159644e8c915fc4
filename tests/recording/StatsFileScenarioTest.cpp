// The stats file a player gets, byte for byte, through hostsim and the real module.
#include "statsfile/PathText.h"
#include "tests/recording/RecordingScenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

TEST(StatsFile, FirstMatchCreatesTheHeaderAndOneRowSixSecondsLater) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.traceLines("SetTimeout "), std::vector<std::string>{"SetTimeout 6"});
    // Time and Timestamp are the moment the match ended, not the write six seconds later.
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow()}));
    EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n");
}

// The file's name is the id's UTF-8 text on every platform; on Windows it is never the ANSI code page's
// reading of those bytes, which would garble the name or lose the row.
TEST(StatsFile, APlayerIdOutsideAsciiNamesTheFileWithTheSameCharacters) {
    TempFolder data;
    const std::string id = "Spieler_\u00c4\u00df\u00e9_\u65e5\u672c_\U0001f3ce";
    HostsimResult run =
        runScenario("player \"" + id + "\"\n" + kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(data.path()))
        names.push_back(pathToUtf8(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{id + "_Tallyglass.csv"});
    EXPECT_EQ(readFile(data.path() / pathFromUtf8(id + "_Tallyglass.csv")),
              fileLines({kHeader, wonMatchRow()}));
    EXPECT_EQ(run.out, "--- > Tallyglass V1.1 Plugin loaded! < ---\n");
}

TEST(StatsFile, LaterMatchesAddOneLineEachAcrossLoads) {
    TempFolder data;
    ASSERT_EQ(runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path()).exitCode, 0);
    HostsimResult run = runScenario(kLoadedAfterWonMatch +
                                        "matchend\nwait 10\nclock 1765228000\n"
                                        "online title=\"Casual Standard\" id=12 ranked=0\n" +
                                        kLostMatch + "wait 6\n",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader, wonMatchRow(), wonMatchRow(),
                         "0,0,1,0,0,1,4,Casual Standard,95,0,0,2,1765228000,21:06:40 12/08/25,0,"}));
}

// A file of no bytes (made by another tool, or left by a crash before its first line) has no header
// to lose: without one its first match would be read back as the header and every later row misread.
TEST(StatsFile, AnEmptyExistingFileGetsTheHeaderBeforeItsFirstRowAndShowsTheMatch) {
    TempFolder data;
    writeFile(defaultStatsFile(data.path()), "");
    HostsimResult run = runScenario(
        kLoadedAfterWonMatch + "matchend\nwait 6\nwait 54\nscoreboard open\nframe\n", data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow()}));
    const std::vector<std::string> drawn = run.traceLines("DrawString ");
    for (const char* cell :
         {"\"R Ranked Doubles\"", "\"3-2\"", "\"420\"", "\"a minute ago\"", "\"Average Points: 420.00\""})
        EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const std::string& line) {
            return line.find(cell) != std::string::npos;
        })) << cell;
}

TEST(StatsFile, AFileWithContentButNoHeaderIsLeftAsItIs) {
    TempFolder data;
    const std::string rowOnly = "0,0,0,0,0,0,1,Duel,10,1,0,0,1765000000,07:06:40 12/06/25,0" + lineEnd();
    for (const std::string& before : {rowOnly, lineEnd(), std::string(" ")}) {
        writeFile(defaultStatsFile(data.path()), before);
        HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string after = statsFileText(run);
        EXPECT_EQ(after.substr(0, before.size()), before);
        EXPECT_EQ(after.find(kHeader), std::string::npos) << "no header is put into a file that has content";
        EXPECT_NE(after.find(wonMatchRow() + lineEnd()), std::string::npos);
    }
}

TEST(StatsFile, ARowAfterALastLineWithoutLineEndStartsALineOfItsOwn) {
    TempFolder data;
    const std::string edited =
        kHeader + lineEnd() + "0,0,0,0,0,0,1,Duel,10,1,0,0,1765000000,07:06:40 12/06/25,0";
    writeFile(defaultStatsFile(data.path()), edited);
    HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    EXPECT_EQ(statsFileText(run), edited + lineEnd() + wonMatchRow() + lineEnd());
}

// Quoted, so that a spreadsheet reads the title as one field and no later column moves.
TEST(StatsFile, APlaylistTitleHoldingACommaIsQuotedAndLosesItsLineBreak) {
    TempFolder data;
    // The scenario language has no escape for a line feed; a carriage return can stand inside quotes.
    HostsimResult run = runScenario(
        kLoadedAfterWonMatch + "online title=\"Rumble, Hoops\rNight\"\nmatchend\nwait 6\n", data.path());
    EXPECT_EQ(statsFileText(run),
              fileLines({kHeader,
                         "1,1,2,0,1,3,2,\"Rumble, Hoops Night\",420,1,3,5,1765141509,21:05:09 12/07/25,1,"}));
}

TEST(StatsFile, EachPlayerIdOnTheMachineHasItsOwnFile) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + R"(matchend
wait 6
player 76561198000000002
stats points=300
matchend
wait 6
)",
                                    data.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(statsFileText(run), fileLines({kHeader, wonMatchRow()}));
    EXPECT_EQ(readFile(data / "76561198000000002_Tallyglass.csv"),
              fileLines({kHeader, "1,1,2,0,1,3,2,Ranked Doubles,300,1,3,5,1765141515,21:05:15 12/07/25,1,"}));
}

TEST(StatsFile, DataFolderNamedInCyrillicOrChineseGetsItsFile) {
    for (const char* name : {"Данные игрока", "数据"}) {
        TempFolder data;
        const fs::path folder = data.path() / fs::u8path(name);
        fs::create_directory(folder);
        HostsimResult run = runScenario("datafolder \"" + std::string(name) + "\"\n" + kLoadedAfterWonMatch +
                                            "matchend\nwait 6\n",
                                        data.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readFile(defaultStatsFile(folder)), fileLines({kHeader, wonMatchRow()})) << name;
        EXPECT_EQ(run.out.find("Tallyglass: "), std::string::npos) << run.out;
    }
}

#if defined(_WIN32)
TEST(StatsFile, LinesEndInCarriageReturnAndLineFeedOnWindows) {
    TempFolder data;
    HostsimResult run = runScenario(kLoadedAfterWonMatch + "matchend\nwait 6\n", data.path());
    EXPECT_EQ(statsFileText(run), kHeader + "\r\n" + wonMatchRow() + "\r\n");
}
#endif
