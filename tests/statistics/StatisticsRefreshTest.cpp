// A plugin object reading real stats files: the kept lines, the fields, the averages and the tables the
// overlay draws, including damaged, shrinking, vanishing and locked files.
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "recording/StatsFileAppend.h"
#include "tests/support/HostsimRun.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kHeader = statsHeader();
constexpr std::int64_t kNow = 1733600000;

struct Match {
    std::string assists = "2", demos = "1", goals = "3", mmr = "1050", mvp = "0", myGoals = "3",
                otherGoals = "1", playlist = "Arena", points = "450", ranked = "1", saves = "4", shots = "6",
                time = std::to_string(kNow - 90), timestamp = "21:05:09 12/07/26", win = "1",
                mmrAfter = "1062";

    // In the writer's order, of every column or of those in `order`.
    std::string line(const std::vector<StatsColumn>& order = {}) const {
        return statsLine([this](StatsColumn column) { return cell(column); }, order);
    }

    const std::string& cell(StatsColumn column) const {
        switch (column) {
        case StatsColumn::Assists:
            return assists;
        case StatsColumn::Demos:
            return demos;
        case StatsColumn::Goals:
            return goals;
        case StatsColumn::Mmr:
            return mmr;
        case StatsColumn::Mvp:
            return mvp;
        case StatsColumn::MyTeamGoals:
            return myGoals;
        case StatsColumn::OtherTeamGoals:
            return otherGoals;
        case StatsColumn::Playlist:
            return playlist;
        case StatsColumn::Points:
            return points;
        case StatsColumn::Ranked:
            return ranked;
        case StatsColumn::Saves:
            return saves;
        case StatsColumn::Shots:
            return shots;
        case StatsColumn::Time:
            return time;
        case StatsColumn::Timestamp:
            return timestamp;
        case StatsColumn::Win:
            return win;
        case StatsColumn::MmrAfter:
            return mmrAfter;
        }
        return win;
    }
};

// The writer's header with the first `name` in it spelled `replacement`.
std::string headerReplacing(const std::string& name, const std::string& replacement) {
    std::string header = kHeader;
    header.replace(header.find(name), name.size(), replacement);
    return header;
}

Match matchWithGoals(int goals) {
    Match match;
    match.goals = std::to_string(goals);
    return match;
}

// The lines joined by `end` after each one, except that the last gets `lastEnd`.
std::string fileOf(const std::vector<std::string>& lines, const std::string& end = "\n",
                   const std::string& lastEnd = "\n") {
    std::string content;
    for (std::size_t i = 0; i < lines.size(); ++i)
        content += lines[i] + (i + 1 < lines.size() ? end : lastEnd);
    return content;
}

using Row = std::vector<std::string>;

Row tableRow(const Tallyglass::Table& table, int row) {
    const auto first = table.begin() + row * Tallyglass::kTableColumns;
    return {first, first + Tallyglass::kTableColumns};
}

Row fieldRow(const Tallyglass& plugin, int row) {
    const auto first = plugin.lineFields.begin() + row * Tallyglass::kFieldsPerLine;
    return {first, first + Tallyglass::kFieldsPerLine};
}

std::vector<std::string> averages(const Tallyglass& plugin) {
    return {plugin.averageMmr,   plugin.averagePoints, plugin.averageGoals, plugin.averageAssists,
            plugin.averageSaves, plugin.averageShots,  plugin.averageDemos};
}

std::vector<const Tallyglass::Table*> allTables(const Tallyglass& plugin) {
    return {&plugin.matchTable,   &plugin.mmrTable,   &plugin.pointsTable, &plugin.goalsTable,
            &plugin.assistsTable, &plugin.savesTable, &plugin.shotsTable,  &plugin.demosTable};
}

const std::vector<std::string> kNoAverages(7, "-");

class StatisticsRefresh : public testing::Test {
protected:
    void SetUp() override { pinWallClock(kNow); }
    void TearDown() override { unpinWallClock(); }

    void load(const std::string& content, const std::string& name = "player_Tallyglass.csv") {
        writeFile(folder / name, content);
        plugin.loadStatsFile(folder / name);
    }

    TempFolder folder;
    Tallyglass plugin;
};

} // namespace

TEST_F(StatisticsRefresh, WorkedExampleOfOneRankedMatch) {
    load(fileOf({kHeader, Match{}.line()}));

    EXPECT_EQ(plugin.lineCount, 2);
    EXPECT_EQ(plugin.recentLines[0], kHeader);
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), (Row{"R Arena", "3-1", "3", "a minute ago", "1"}));
    EXPECT_EQ(tableRow(plugin.mmrTable, 1), (Row{"R Arena", "3-1", "1050", "a minute ago", "1"}));
    EXPECT_EQ(tableRow(plugin.pointsTable, 1), (Row{"R Arena", "3-1", "450", "a minute ago", "1"}));
    EXPECT_EQ(tableRow(plugin.matchTable, 1), tableRow(plugin.pointsTable, 1));
    EXPECT_EQ(tableRow(plugin.demosTable, 1)[2], "1");
    EXPECT_EQ(averages(plugin),
              (std::vector<std::string>{"1050.00", "450.00", "3.00", "2.00", "4.00", "6.00", "1.00"}));
    EXPECT_EQ(tableRow(plugin.shotsTable, 0), (Row{"Playlist", "Score", "Shots", "Time", "Win"}));
    EXPECT_EQ(tableRow(plugin.matchTable, 0), (Row{"Playlist", "Score", "Points", "Time", "Win"}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 2), Row(5, "")) << "rows past the data lines stay empty";
    EXPECT_EQ(plugin.columnPosition("Playlist"), 7);
    EXPECT_EQ(plugin.columnPosition("Time"), 12);
    EXPECT_EQ(plugin.columnPosition("Win"), 14);
}

TEST_F(StatisticsRefresh, FiveLinesAreKeptNewestFirst) {
    std::vector<std::string> lines{kHeader};
    for (int goals = 1; goals <= 4; ++goals)
        lines.push_back(matchWithGoals(goals).line());
    load(fileOf(lines));

    EXPECT_EQ(plugin.lineCount, 5);
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(plugin.recentLines[static_cast<std::size_t>(slot)],
                  lines[static_cast<std::size_t>(5 - slot)]);
    EXPECT_EQ(plugin.recentLines[5], "");
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[2], "4");
    EXPECT_EQ(tableRow(plugin.goalsTable, 4)[2], "1");
    EXPECT_EQ(plugin.averageGoals, "2.50");
}

TEST_F(StatisticsRefresh, TwelveLinesKeepTheTenNewestAndOnlyTheyCount) {
    // The oldest match would pull the goals average far up if it were counted.
    std::vector<std::string> lines{kHeader, matchWithGoals(1000).line()};
    for (int match = 0; match < 10; ++match)
        lines.push_back(matchWithGoals(match < 7 ? 2 : 1).line());
    load(fileOf(lines));

    EXPECT_EQ(plugin.lineCount, 12);
    for (int slot = 1; slot <= 10; ++slot)
        EXPECT_EQ(plugin.recentLines[static_cast<std::size_t>(slot)],
                  lines[static_cast<std::size_t>(12 - slot)]);
    EXPECT_EQ(plugin.averageGoals, "1.70");
    EXPECT_EQ(tableRow(plugin.goalsTable, 10)[2], "2");
}

TEST_F(StatisticsRefresh, AveragesRoundToTwoDecimals) {
    load(fileOf({kHeader, matchWithGoals(1).line(), matchWithGoals(2).line(), matchWithGoals(2).line()}));
    EXPECT_EQ(plugin.averageGoals, "1.67");
}

TEST_F(StatisticsRefresh, LastLineWithoutLineEndAndEmptyLineAmongDataLines) {
    Match older = matchWithGoals(1);
    Match newest = matchWithGoals(5);
    newest.win = "0";
    load(fileOf({kHeader, older.line(), "", newest.line()}, "\n", ""));

    EXPECT_EQ(plugin.lineCount, 4);
    EXPECT_EQ(plugin.recentLines[1], newest.line());
    EXPECT_EQ(plugin.recentLines[2], "");
    EXPECT_EQ(plugin.recentLines[3], older.line());
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), (Row{"R Arena", "3-1", "5", "a minute ago", "0"}));
    // The empty line has no field: its statistics are marked missing and it counts toward nothing.
    EXPECT_EQ(fieldRow(plugin, 2),
              (Row{"null", "null", "null", "null", "", "", "", "", "null", "", "null", "null", "", "", ""}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 2), (Row{"C ", "-", "null", "", ""}));
    EXPECT_EQ(plugin.averageGoals, "3.00");
}

TEST_F(StatisticsRefresh, AColumnTheHeaderLacksIsMissingNeverAnotherColumnsField) {
    // "Rank" is no column: in the player's own line it holds a rank, so the flag is missing there and
    // the match shows unranked, whatever an earlier header said and whatever stands first in the line.
    const std::string withoutRanked = headerReplacing("Ranked", "Rank");
    Match players;
    players.assists = "1";
    players.ranked = "Gold";
    Match ranked;
    ranked.assists = "1";
    load(fileOf({kHeader, ranked.line()}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[0], "R Arena");
    load(fileOf({withoutRanked, players.line()}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[0], "C Arena");
    EXPECT_EQ(plugin.columnIndex.count("Rank"), 0u) << "only column names are indexed";

    // The plugin appends below such a header in its own order: a line that is one of its rows, every
    // flag and the time where it writes them, reads so, the ranked flag included.
    load(fileOf({withoutRanked, players.line(), ranked.line()}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[0], "R Arena");
    EXPECT_EQ(tableRow(plugin.goalsTable, 2)[0], "C Arena");
    Match casual;
    casual.ranked = "0";
    load(fileOf({withoutRanked, casual.line()}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[0], "C Arena");
}

TEST_F(StatisticsRefresh, HeaderNamingWinTwiceUsesTheLaterPosition) {
    const std::string winTwice = headerReplacing("MVP", "Win");
    Match match;
    match.mvp = "7";
    match.win = "0";
    load(fileOf({winTwice, match.line()}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[4], "0");
    EXPECT_EQ(plugin.columnPosition("Win"), 14);
}

TEST_F(StatisticsRefresh, SumsOfTheLargestFiguresDoNotWrapAround) {
    Match highest;
    highest.mmr = "2147483647";
    highest.points = "300000000";
    Match lowest;
    lowest.mmr = "-2147483648";
    lowest.points = "-2147483648";
    const auto tenOf = [](const Match& match) {
        std::vector<std::string> lines(11, match.line());
        lines[0] = kHeader;
        return fileOf(lines);
    };
    load(tenOf(highest));
    EXPECT_EQ(plugin.averageMmr, "2147483647.00");
    EXPECT_EQ(plugin.averagePoints, "300000000.00");

    load(tenOf(lowest));
    EXPECT_EQ(plugin.averageMmr, "-2147483648.00");
    EXPECT_EQ(plugin.averagePoints, "-2147483648.00");

    load(fileOf({kHeader, highest.line(), lowest.line(), lowest.line()}));
    EXPECT_EQ(plugin.averageMmr, "-715827883.00");
    EXPECT_EQ(plugin.averageGoals, "3.00");
}

TEST_F(StatisticsRefresh, AveragesFindTheirColumnsByTheHeadersNames) {
    // The writer's columns in reverse order: no statistic stands where the writer puts it.
    const std::string reversed = "Win,Timestamp,Time,Shots,Saves,Ranked,Points,Playlist,OtherTeamGoals,"
                                 "MyTeamGoals,MVP,MMR,Goals,Demos,Assists";
    const std::string time = std::to_string(kNow - 90);
    load(fileOf({reversed, "1,ts," + time + ",6,4,1,450,Arena,1,3,0,1050,3,1,2",
                 "0,ts," + time + ",2,1,0,151,Hoops, Snow,2,0,0,1060,0,2,5"}));

    EXPECT_EQ(averages(plugin),
              (std::vector<std::string>{"1055.00", "300.50", "1.50", "3.50", "2.50", "4.00", "1.50"}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), (Row{"C Hoops, Snow", "0-2", "0", "a minute ago", "0"}));
    EXPECT_EQ(tableRow(plugin.mmrTable, 2)[2], "1050");

    // A line too short to reach a statistic the header names counts toward no average.
    load(fileOf({reversed, "1,ts," + time + ",6,4,1,450,Arena,1,3,0,1050,3,1,2", "1,ts," + time + ",6"}));
    EXPECT_EQ(plugin.averageShots, "6.00");
    EXPECT_EQ(plugin.averageMmr, "1050.00");
}

TEST_F(StatisticsRefresh, AStatisticTheHeaderDoesNotNameHasNoAverageAndKeepsNoRowFromTheOthers) {
    const std::string goalsLast =
        "Assists,Demos,Win,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,"
        "Saves,Shots,Time,Timestamp,Goals";
    load(fileOf({goalsLast, Match{}.line(requiredColumnOrder())}));
    EXPECT_EQ(plugin.averageGoals, "1.00") << "the field the header names Goals";

    // The player's own lines (a spreadsheet made the times dates, so they are no rows of the plugin's)
    // below a header that names no Goals: no goals, and the other averages as they are.
    const std::string goalsUnnamed = headerReplacing("Goals,MMR", "Gls,MMR");
    Match seven = matchWithGoals(7);
    Match eight = matchWithGoals(8);
    seven.time = eight.time = "2024-12-07 19:32";
    load(fileOf({goalsUnnamed, seven.line(), eight.line()}));
    EXPECT_EQ(plugin.averageGoals, "-");
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[2], "");
    EXPECT_EQ(plugin.averageMmr, "1050.00");
    EXPECT_EQ(plugin.averageSaves, "4.00");
}

TEST_F(StatisticsRefresh, AHeaderNamingAStatisticTwiceAveragesTheLaterField) {
    const std::string savesTwice = headerReplacing("MVP", "Saves");
    Match match;
    match.mvp = "40";
    match.saves = "4";
    load(fileOf({savesTwice, match.line()}));
    EXPECT_EQ(plugin.averageSaves, "4.00");
    EXPECT_EQ(tableRow(plugin.savesTable, 1)[2], "4");
}

TEST_F(StatisticsRefresh, ASecondRefreshRenewsOnlyTheAges) {
    load(fileOf({kHeader, Match{}.line(), matchWithGoals(4).line()}));
    const Tallyglass::Table before = plugin.goalsTable;
    const std::vector<std::string> averagesBefore = averages(plugin);
    EXPECT_EQ(tableRow(before, 1)[3], "a minute ago");

    pinWallClock(kNow + 3600);
    plugin.refreshStatistics(); // what opening the scoreboard does, without reading the file
    for (int row = 1; row <= 2; ++row) {
        Row expected = tableRow(before, row);
        expected[3] = "an hour ago";
        EXPECT_EQ(tableRow(plugin.goalsTable, row), expected);
    }
    EXPECT_EQ(averages(plugin), averagesBefore);
}

TEST_F(StatisticsRefresh, CommasInAPlaylistTitleGoBackIntoTheTitle) {
    Match match;
    match.playlist = "Rumble, Hoops, and Snow";
    match.goals = "9";
    load(fileOf({kHeader, match.line()}));

    const Row fields = fieldRow(plugin, 1);
    EXPECT_EQ(fields[7], "Rumble, Hoops, and Snow");
    EXPECT_EQ(fields[8], "450");
    EXPECT_EQ(fields[14], "1");
    EXPECT_EQ(tableRow(plugin.goalsTable, 1),
              (Row{"R Rumble, Hoops, and Snow", "3-1", "9", "a minute ago", "1"}));
    EXPECT_EQ(plugin.averageGoals, "9.00");
    EXPECT_EQ(plugin.averageShots, "6.00");
}

TEST_F(StatisticsRefresh, TheHeaderTellsWhichFieldTakesTheSurplus) {
    // Playlist named last: the surplus joins the last field, and Win (named where the writer puts the
    // playlist) stays at its place.
    const std::string header = "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Win,Points,Ranked,"
                               "Saves,Shots,Time,Timestamp,Playlist";
    load(fileOf(
        {header, "2,1,3,1050,0,3,1,1,450,1,4,6," + std::to_string(kNow - 90) + ",ts,Hoops, Snow, Dropshot"}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 1),
              (Row{"R Hoops, Snow, Dropshot", "3-1", "3", "a minute ago", "1"}));
}

TEST_F(StatisticsRefresh, CellsThatAreNoNumbersNeitherThrowNorCount) {
    Match letters = matchWithGoals(1);
    letters.saves = "many";
    Match outOfRange = matchWithGoals(1);
    outOfRange.mmr = "99999999999";
    Match badTimeAndRank = matchWithGoals(2);
    badTimeAndRank.time = "soon";
    badTimeAndRank.ranked = "yes";
    const std::string tooShort = "1,2,3";
    const std::vector<std::string> lines{kHeader,  letters.line(),        outOfRange.line(),       kHeader,
                                         tooShort, badTimeAndRank.line(), matchWithGoals(4).line()};
    // Every row held a whole match before, so a short line cannot borrow a field it lacks.
    load(fileOf(std::vector<std::string>(12, Match{}.line())));
    ASSERT_NO_THROW(load(fileOf(lines)));

    // Only the two rows whose seven statistics are all numbers count.
    EXPECT_EQ(plugin.averageGoals, "3.00");
    EXPECT_EQ(tableRow(plugin.goalsTable, 2), (Row{"C Arena", "3-1", "2", "", "1"}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 3), (Row{"C ", "-", "3", "", ""})) << "line too short";
    EXPECT_EQ(fieldRow(plugin, 3)[7], "") << "no field of another line shows in a short row";
    EXPECT_EQ(tableRow(plugin.goalsTable, 4),
              (Row{"C Playlist", "MyTeamGoals-OtherTeamGoals", "Goals", "", "Win"}));
    EXPECT_EQ(tableRow(plugin.savesTable, 6)[2], "many");
    EXPECT_EQ(tableRow(plugin.mmrTable, 5)[2], "99999999999");
    EXPECT_EQ(tableRow(plugin.mmrTable, 5)[3], "a minute ago");

    ASSERT_NO_THROW(plugin.refreshStatistics());
    EXPECT_EQ(plugin.averageGoals, "3.00");
}

TEST_F(StatisticsRefresh, NoCountedRowGivesADash) {
    plugin.loadStatsFile(folder / "missing.csv");
    EXPECT_EQ(plugin.lineCount, 0);
    EXPECT_EQ(averages(plugin), kNoAverages);
    for (const Tallyglass::Table* table : allTables(plugin))
        EXPECT_EQ(tableRow(*table, 0)[0], "Playlist");

    load(fileOf({kHeader}));
    EXPECT_EQ(plugin.lineCount, 1);
    EXPECT_EQ(averages(plugin), kNoAverages);
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), Row(5, ""));

    load(fileOf({kHeader, "1,2,3", "", "4,5"}));
    EXPECT_EQ(averages(plugin), kNoAverages);
}

TEST_F(StatisticsRefresh, AShorterFileLeavesNothingOfTheLongerOne) {
    std::vector<std::string> lines{kHeader};
    for (int match = 0; match < 11; ++match)
        lines.push_back(matchWithGoals(9).line());
    load(fileOf(lines), "first_Tallyglass.csv");
    ASSERT_EQ(tableRow(plugin.goalsTable, 10)[2], "9");

    // Another player id, whose file holds two matches.
    load(fileOf({kHeader, matchWithGoals(1).line(), matchWithGoals(2).line()}), "second_Tallyglass.csv");
    EXPECT_EQ(plugin.lineCount, 3);
    EXPECT_EQ(plugin.averageGoals, "1.50");
    EXPECT_EQ(plugin.averageMmr, "1050.00");
    for (std::size_t slot = 3; slot < 11; ++slot)
        EXPECT_EQ(plugin.recentLines[slot], "") << "slot " << slot;
    for (const Tallyglass::Table* table : allTables(plugin))
        for (int row = 3; row < 11; ++row)
            EXPECT_EQ(tableRow(*table, row), Row(5, "")) << "row " << row;

    // A player without a file yet: every data row goes.
    plugin.loadStatsFile(folder / "third_Tallyglass.csv");
    EXPECT_EQ(plugin.lineCount, 0);
    EXPECT_EQ(averages(plugin), kNoAverages);
    for (const Tallyglass::Table* table : allTables(plugin))
        for (int row = 1; row < 11; ++row)
            EXPECT_EQ(tableRow(*table, row), Row(5, "")) << "row " << row;
}

TEST_F(StatisticsRefresh, AnEmptyFileKeepsTheHeaderSlotButNoMatch) {
    load(fileOf({kHeader, Match{}.line()}));
    load("");
    EXPECT_EQ(plugin.lineCount, 0);
    EXPECT_EQ(plugin.recentLines[0], kHeader);
    EXPECT_EQ(plugin.recentLines[1], "");
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), Row(5, ""));
    EXPECT_EQ(averages(plugin), kNoAverages);
}

TEST_F(StatisticsRefresh, AFileThatCannotBeReadNowKeepsWhatIsShown) {
    load(fileOf({kHeader, Match{}.line(), matchWithGoals(4).line()}));
    const Tallyglass::Table goals = plugin.goalsTable;
    const auto slots = plugin.recentLines;
    const auto fields = plugin.lineFields;
    const std::vector<std::string> averagesBefore = averages(plugin);

    // Something that exists where the file is but cannot be read as one.
    std::filesystem::create_directory(folder / "locked.csv");
    plugin.loadStatsFile(folder / "locked.csv");
    EXPECT_EQ(plugin.lineCount, 3);
    EXPECT_EQ(plugin.recentLines, slots);
    EXPECT_EQ(plugin.lineFields, fields);
    EXPECT_EQ(plugin.goalsTable, goals);
    EXPECT_EQ(averages(plugin), averagesBefore);
}

TEST_F(StatisticsRefresh, CrLfAndLfFilesGiveTheSameSlotsAndFields) {
    const std::vector<std::string> lines{kHeader, matchWithGoals(1).line(), "", matchWithGoals(2).line()};
    load(fileOf(lines, "\r\n", "\r\n"), "crlf.csv");
    Tallyglass lf;
    writeFile(folder / "lf.csv", fileOf(lines));
    lf.loadStatsFile(folder / "lf.csv");

    EXPECT_EQ(plugin.recentLines, lf.recentLines);
    EXPECT_EQ(plugin.lineFields, lf.lineFields);
    EXPECT_EQ(plugin.goalsTable, lf.goalsTable);
    EXPECT_EQ(tableRow(plugin.goalsTable, 1)[4], "1");
    EXPECT_EQ(plugin.columnPosition("Win"), 14) << "the header's last name has no carriage return";
}

TEST_F(StatisticsRefresh, ReadsBackWhatTheWriterAppends) {
    // The writer's own output, with its platform line ends and a title holding commas.
    const auto file = folder / "written_Tallyglass.csv";
    for (int match = 0; match < 12; ++match) {
        MatchRow row{{"Assists", "1"},
                     {"Demos", "0"},
                     {"Goals", std::to_string(match)},
                     {"MMR", "1200"},
                     {"MVP", "0"},
                     {"MyTeamGoals", "2"},
                     {"OtherTeamGoals", "5"},
                     {"Playlist", match == 11 ? "Snow Day, Hoops" : "Ranked Duel 1v1"},
                     {"Points", "300"},
                     {"Ranked", match == 11 ? "0" : "1"},
                     {"Saves", "2"},
                     {"Shots", "3"},
                     {"Time", std::to_string(kNow - 7200)},
                     {"Timestamp", "19:13:20 12/07/26"},
                     {"Win", "0"}};
        ASSERT_TRUE(appendMatchRow(plugin.statsFile, file, row).written);
    }
    plugin.loadStatsFile(file);

    EXPECT_EQ(plugin.lineCount, 13);
    EXPECT_EQ(plugin.recentLines[0], kHeader);
    EXPECT_EQ(tableRow(plugin.goalsTable, 1), (Row{"C Snow Day, Hoops", "2-5", "11", "2 hours ago", "0"}));
    EXPECT_EQ(tableRow(plugin.goalsTable, 10), (Row{"R Ranked Duel 1v1", "2-5", "2", "2 hours ago", "0"}));
    EXPECT_EQ(plugin.averageGoals, "6.50"); // matches 2 to 11
    EXPECT_EQ(plugin.averageMmr, "1200.00");
}
