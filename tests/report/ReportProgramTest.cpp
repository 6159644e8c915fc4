// tallyglass-report as a player runs it: what it writes and prints, its exits on bad input, the input
// file left as it was, and every text from the file kept harmless in the page.
#include "report/ReportProgram.h"
#include "report/ReportPage.h"
#include "tests/report/ReportRun.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"
#include "toolkit/JsonText.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::vector<StatsRow> someMatches() {
    StatsRow ranked;
    ranked.time = 1796000000;
    ranked.mmrAfter = 1012;
    StatsRow casual = ranked;
    casual.mmrAfter = std::nullopt;
    casual.playlist = "Casual Doubles";
    casual.ranked = false;
    casual.mmr = 0;
    casual.time += 600;
    casual.win = false;
    return {ranked, casual};
}

TEST(ReportProgram, WritesThePageBesideTheFileAndPrintsAPlaylistSummary) {
    TempFolder folder;
    const std::string text = statsFileText(someMatches());
    writeFile(folder / "76561198000000001_Tallyglass.csv", text);
    const ReportRun run =
        report({pathToUtf8(folder / "76561198000000001_Tallyglass.csv"), "--now", "1796100000"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::filesystem::path page = folder / "76561198000000001_Tallyglass.html";
    EXPECT_NE(run.out.find("Report: " + pathToUtf8(page)), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2 matches, 1 win - 1 loss (50.0%), 1 session\n"
                           "\n"
                           "Playlist        Matches  W-L  Win rate  Rating   Peak  Streak\n"
                           "Casual Doubles        1  0-1      0.0%       -      -      1L\n"
                           "Ranked Doubles        1  1-0    100.0%   1,012  1,012      1W\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("*"), std::string::npos) << "every rating is one after its playlist's last match";
    const std::string html = readFile(page);
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_EQ(pageData(html)["matches"], 2);
    // The input is never changed.
    EXPECT_EQ(readFile(folder / "76561198000000001_Tallyglass.csv"), text);
}

// An older file holds no rating after a match: the newest rating before the last match stands, marked.
TEST(ReportProgram, ARatingFromBeforeTheLastMatchIsMarkedAndSaid) {
    TempFolder folder;
    std::vector<StatsRow> rows = someMatches();
    rows[0].mmrAfter = std::nullopt;
    writeFile(folder / "stats.csv", statsFileText(rows, requiredColumnOrder()));
    const ReportRun run = report({pathToUtf8(folder / "stats.csv"), "--now", "1796100000"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(
        run.out.find("Ranked Doubles        1  1-0    100.0%  1,000*  1,000      1W\n"
                     "* the rating before the playlist's last match: the file holds no rating after it.\n"),
        std::string::npos)
        << run.out;
}

TEST(ReportProgram, TheJsonFileIsExactlyWhatThePageIsBuiltFrom) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(someMatches()));
    const ReportRun run = report({pathToUtf8(folder / "stats.csv"), "-o", pathToUtf8(folder / "page.html"),
                                  "--json", pathToUtf8(folder / "summary.json"), "--now", "1796100000"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(readFile(folder / "summary.json"));
    EXPECT_EQ(json, pageData(readFile(folder / "page.html")));
    EXPECT_EQ(json["now"], 1796100000);
    EXPECT_EQ(json["file"], "stats.csv");
    for (const char* key : {"matches", "wins", "losses", "skippedLines", "playlists", "sessions"})
        EXPECT_TRUE(json.contains(key)) << key;
    for (const char* key : {"name", "ranked", "matches", "wins", "losses", "winRate", "currentRating",
                            "bestWinStreak", "currentStreak", "averages", "mvpRate"})
        EXPECT_TRUE(json["playlists"][0].contains(key)) << key;
    EXPECT_FALSE(std::filesystem::exists(folder / "stats.html"));
}

TEST(ReportProgram, TheSameFileAndMomentGiveTheSamePage) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(someMatches()));
    ASSERT_EQ(
        report({pathToUtf8(folder / "stats.csv"), "-o", pathToUtf8(folder / "a.html"), "--now", "1796100000"})
            .status,
        0);
    ASSERT_EQ(
        report({pathToUtf8(folder / "stats.csv"), "-o", pathToUtf8(folder / "b.html"), "--now", "1796100000"})
            .status,
        0);
    EXPECT_EQ(readFile(folder / "a.html"), readFile(folder / "b.html"));
    ASSERT_EQ(
        report({pathToUtf8(folder / "stats.csv"), "-o", pathToUtf8(folder / "c.html"), "--now", "1797100000"})
            .status,
        0);
    EXPECT_NE(readFile(folder / "a.html"), readFile(folder / "c.html"));
}

TEST(ReportProgram, FilesThatAreNoStatsFileAreAClearErrorAndNothingIsWritten) {
    TempFolder folder;
    writeFile(folder / "empty.csv", "");
    writeFile(folder / "noheader.csv", "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796323538,x,1\n");
    writeFile(folder / "partial.csv", "Playlist,Win,Points\nRanked Doubles,1,300\n");
    writeFile(folder / "workbook.csv", std::string("PK\x03\x04\x14\x00\x06\x00", 8));
    writeFile(folder / "old-workbook.csv", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10));
    writeFile(folder / "unmarked.csv", std::string("P\0l\0a\0y\0l\0i\0s\0t\0\r\0\n\0", 20));
    std::filesystem::create_directory(folder / "folder.csv");
    const struct {
        std::filesystem::path file;
        const char* says;
    } cases[] = {
        {folder / "missing.csv", "no such file"},
        {folder / "empty.csv", "empty"},
        {folder / "noheader.csv", "not a stats-file header"},
        {folder / "partial.csv", "lacks the columns Assists, Demos, Goals, MMR, MVP"},
        {folder / "workbook.csv", "is not a text file; it looks like a workbook (.xlsx or .ods)"},
        {folder / "old-workbook.csv", "is not a text file; it looks like an Excel 97-2003 workbook"},
        {folder / "unmarked.csv", "is UTF-16 text (little-endian) without a byte-order mark"},
#ifndef _WIN32
        {"/dev/zero", "not a regular file"},
#endif
    };
    for (const auto& bad : cases) {
        const ReportRun run = report({pathToUtf8(bad.file), "-o", pathToUtf8(folder / "out.html")});
        EXPECT_EQ(run.status, 2) << pathToUtf8(bad.file);
        EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(pathToUtf8(bad.file)), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "out.html"));
    }
    EXPECT_EQ(readFile(folder / "noheader.csv"),
              "1,0,2,1183,1,3,1,Ranked Doubles,486,1,1,4,1796323538,x,1\n");
    // A folder is read as the folder of every account's stats file: this one holds none.
    const ReportRun none = report({pathToUtf8(folder / "folder.csv")});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(contains(none.err, pathToUtf8(folder / "folder.csv") + ": holds no stats file")) << none.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder / "folder.csv"));
    const ReportRun withPage =
        report({pathToUtf8(folder / "folder.csv"), "-o", pathToUtf8(folder / "out.html")});
    EXPECT_EQ(withPage.status, 2);
    EXPECT_TRUE(contains(withPage.err, "-o and --json take one stats file")) << withPage.err;
}

TEST(ReportProgram, CommandLinesThatCannotBeReadExitTwo) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(someMatches()));
    const std::string stats = pathToUtf8(folder / "stats.csv");
    const std::vector<std::vector<std::string>> bad{
        {},
        {stats, "--now"},
        {stats, "--now", "yesterday"},
        {stats, "--now", "-5"},
        {stats, "--colour"},
        {stats, stats},
        {stats, "-o", stats}, // would overwrite the stats file
        {stats, "--json", stats},
        {stats, "-o", pathToUtf8(folder / "x.html"), "--json", pathToUtf8(folder / "x.html")},
        // One file named two ways before it exists: from the working folder, and absolute.
        {stats, "-o", "tallyglass-same.html", "--json", "./tallyglass-same.html"},
        {stats, "-o", "tallyglass-same.html", "--json",
         pathToUtf8(std::filesystem::current_path() / "tallyglass-same.html")},
    };
    for (const std::vector<std::string>& arguments : bad) {
        const ReportRun run = report(arguments);
        EXPECT_EQ(run.status, 2) << (arguments.empty() ? "" : arguments.back());
        EXPECT_TRUE(run.err.starts_with("tallyglass-report: ")) << run.err;
    }
    EXPECT_EQ(readFile(folder / "stats.csv"), statsFileText(someMatches()));
    EXPECT_FALSE(std::filesystem::exists("tallyglass-same.html"));
    EXPECT_EQ(report({"--help"}).status, 0);
}

// The names in a folder, to see that no temporary file is left behind.
std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(pathToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReportProgram, AnOutputIsReplacedWholeAndOneThatCannotBeWrittenSaysWhyAndExitsOne) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(someMatches()));
    const std::string stats = pathToUtf8(folder / "stats.csv");
    ASSERT_EQ(report({stats, "--json", pathToUtf8(folder / "s.json"), "--now", "1796100000"}).status, 0);
    const std::string oldPage = readFile(folder / "stats.html");
    ASSERT_EQ(report({stats, "--json", pathToUtf8(folder / "s.json"), "--now", "1797100000"}).status, 0);
    EXPECT_NE(readFile(folder / "stats.html"), oldPage);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"s.json", "stats.csv", "stats.html"}));

    const ReportRun missing = report({stats, "-o", pathToUtf8(folder / "no folder" / "page.html")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "page.html: cannot be written: No such file or directory"))
        << missing.err;

    std::filesystem::create_directory(folder / "taken.html");
    writeFile(folder / "taken.html" / "inside", "kept");
    const ReportRun onFolder = report({stats, "-o", pathToUtf8(folder / "taken.html")});
    EXPECT_EQ(onFolder.status, 1);
    EXPECT_TRUE(contains(onFolder.err, "taken.html: cannot be written: ")) << onFolder.err;
    EXPECT_EQ(readFile(folder / "taken.html" / "inside"), "kept");
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{"s.json", "stats.csv", "stats.html", "taken.html"}));
}

#if defined(__linux__)
TEST(ReportProgram, AWriteCutShortByAFileSizeLimitKeepsTheOldPageAndJson) {
    TempFolder folder;
    writeFile(folder / "stats.csv", statsFileText(someMatches()));
    const std::vector<std::string> arguments{pathToUtf8(folder / "stats.csv"), "--json",
                                             pathToUtf8(folder / "s.json"), "--now", "1796100000"};
    ASSERT_EQ(report(arguments).status, 0);
    const std::string page = readFile(folder / "stats.html");
    const std::string json = readFile(folder / "s.json");
    ReportRun limited;
    {
        // Room for the JSON but not for the page, which carries its charting library.
        const FileSizeLimit limit(json.size() + 4096);
        ASSERT_TRUE(limit.applied());
        ASSERT_LT(json.size() + 4096, page.size());
        limited = report(arguments);
    }
    EXPECT_EQ(limited.status, 1);
    EXPECT_TRUE(contains(limited.err, "stats.html: cannot be written: File too large")) << limited.err;
    EXPECT_EQ(readFile(folder / "stats.html"), page);
    EXPECT_EQ(readFile(folder / "s.json"), json);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"s.json", "stats.csv", "stats.html"}));
}
#endif

TEST(ReportProgram, TitlesReachTheTerminalWithoutControlCharacters) {
    TempFolder folder;
    StatsRow coloured;
    coloured.playlist = "\x1B[31mRed\x1B]0;title\x07 and a very long name beyond the column";
    writeFile(folder / "stats.csv", statsFileText({coloured}));
    const ReportRun run = report({pathToUtf8(folder / "stats.csv"), "--now", "1796100000"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(run.out.find('\x07'), std::string::npos);
    // Cut short at forty columns on screen.
    EXPECT_NE(run.out.find("\n?[31mRed?]0;title? and a very long name~        1  1-0"), std::string::npos)
        << run.out;
}

TEST(ReportProgram, TitlesFromTheFileCannotEndTheScriptOrAddMarkup) {
    TempFolder folder;
    StatsRow hostile;
    hostile.playlist =
        "</script><script>document.title='ran'</script><!--<img src=x onerror=alert(1)>\xE2\x80\xA8&amp;";
    StatsRow broken = hostile;
    broken.playlist = "bad \xFF\xFE utf-8";
    writeFile(folder / "stats.csv", statsFileText({hostile, broken}));
    ASSERT_EQ(report({pathToUtf8(folder / "stats.csv"), "--now", "1796100000"}).status, 0);
    const std::string html = readFile(folder / "stats.html");
    const std::size_t data = html.find("id=\"summary\">");
    const std::size_t dataEnd = html.find("</script>", data);
    const std::string summary = html.substr(data, dataEnd - data);
    for (const char* forbidden : {"<", ">", "&", "\xE2\x80\xA8", "<!--"})
        EXPECT_EQ(summary.find(forbidden, 14), std::string::npos) << forbidden;
    // Still the very title, once the JSON is read.
    const nlohmann::json json = pageData(html);
    EXPECT_EQ(json["playlists"][0]["name"].get<std::string>() == hostile.playlist ||
                  json["playlists"][1]["name"].get<std::string>() == hostile.playlist,
              true);
    EXPECT_EQ(html.find("<script>document.title"), std::string::npos);
    EXPECT_EQ(scriptSafeJson("{\"a\":\"</script>&\"}"), "{\"a\":\"\\u003c/script\\u003e\\u0026\"}");
}

} // namespace
