// Cells as spreadsheets and damaged files leave them, through the program: a cell that is not wholly one
// number and a time no match can have skip their line, each with its reason, alike in the console, the
// JSON and the page; blanks around a playlist title are not part of its name.
#include "tests/report/ReportRun.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"
#include "tests/support/TestText.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kNow = 1796600000;

StatsRow matchAt(std::int64_t time) {
    StatsRow row;
    row.time = time;
    return row;
}

// The line of a match at `time` with the cell of `column` replaced.
std::string lineWith(StatsColumn column, const std::string& cell, std::int64_t time = kNow - 7200) {
    const StatsRow row = matchAt(time);
    return statsLine([&](StatsColumn at) { return at == column ? cell : cellOf(row, at); }) + "\n";
}

TEST(CellsAndTitles, CellsThatAreNotWhollyANumberAndImplausibleTimesSkipTheirLineWithTheReason) {
    TempFolder folder;
    std::string text = statsFileText({matchAt(kNow - 9000)});
    text += lineWith(StatsColumn::Points, std::string("2\0", 2));          // line 3
    text += lineWith(StatsColumn::Time, "1.79000E+09");                    // line 4
    text += lineWith(StatsColumn::Time, "0");                              // line 5
    text += lineWith(StatsColumn::Time, std::to_string(kNow + 2 * 86400)); // line 6
    text += lineWith(StatsColumn::Goals, "\x1B[2J\x1B[31m");               // line 7
    text += lineWith(StatsColumn::Time, std::to_string(kNow + 3600));      // line 8: a clock a little ahead
    text += statsRowLine(matchAt(kNow - 3600)) + "\n";                     // line 9
    writeFile(folder / "stats.csv", text);
    const ReportRun run = report({pathToUtf8(folder / "stats.csv"), "--json", pathToUtf8(folder / "s.json"),
                                  "--now", std::to_string(kNow)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(readFile(folder / "s.json"));
    EXPECT_EQ(json, pageData(readFile(folder / "stats.html")));
    EXPECT_EQ(json["matches"], 3);
    EXPECT_EQ(json["firstMatch"], kNow - 9000);
    EXPECT_EQ(json["lastMatch"], kNow + 3600);
    const nlohmann::json expected = nlohmann::json::parse(R"json([
        {"line": 3, "reason": "Points is not a number: \"2\\x00\""},
        {"line": 4, "reason": "Time is not a number: \"1.79000E+09\""},
        {"line": 5, "reason": "implausible time: \"0\" (before 2000)"
},
        {"line": 6, "reason": "implausible time: \"1796772800\" (more than a day after now)"},
        {"line": 7, "reason": "Goals is not a number: \"\\x1B[2J\\x1B[31m\""}
    ])json");
    EXPECT_EQ(json["skipped"], expected);
    EXPECT_EQ(json["skippedCount"], 5);
    // The console names the first, with the NUL shown, not sent.
    EXPECT_TRUE(contains(run.out, "5 lines were not read as a match (first: line 3, Points is not a number: "
                                  "\"2\\x00\"); the page lists them."))
        << run.out;
    EXPECT_EQ(run.out.find('\0'), std::string::npos);
    EXPECT_EQ(run.out.find('\x1B'), std::string::npos);
}

TEST(CellsAndTitles, BlanksAroundAPlaylistTitleAreNotPartOfItsName) {
    TempFolder folder;
    std::vector<StatsRow> rows{matchAt(kNow - 9000), matchAt(kNow - 8000), matchAt(kNow - 7000)};
    rows[1].playlist = "Ranked Doubles ";
    rows[2].playlist = "  Ranked Doubles\t";
    rows[2].win = false;
    writeFile(folder / "stats.csv", statsFileText(rows));
    const ReportRun run = report({pathToUtf8(folder / "stats.csv"), "--json", pathToUtf8(folder / "s.json"),
                                  "--now", std::to_string(kNow)});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(readFile(folder / "s.json"));
    ASSERT_EQ(json["playlists"].size(), 1u);
    EXPECT_EQ(json["playlists"][0]["name"], "Ranked Doubles");
    EXPECT_EQ(json["playlists"][0]["matches"], 3);
    EXPECT_EQ(json["playlists"][0]["currentStreak"], -1);
    EXPECT_TRUE(contains(run.out, "\nRanked Doubles        3  2-1     66.7%")) << run.out;
}

} // namespace
