// Reading lines as matches: the header rule, a repeated header, quoted titles, and why a line is none.
#include "statsfile/RowReader.h"
#include "statsfile/Layout.h"
#include "tests/statsfile/RowEvents.h"
#include "tests/support/StatsFileText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::int64_t kNow = 1796100000;

using Events = std::vector<std::string>;

// The events of reading `lines` (without line ends) through one reader.
Events read(const std::vector<std::string>& lines) {
    RowEvents sink;
    RowReader reader(sink, kNow);
    for (const std::string& line : lines)
        reader.line(line);
    reader.finish();
    return sink.events;
}

StatsRow row(const std::string& playlist, std::int64_t time, bool win, std::int32_t points) {
    StatsRow made;
    made.playlist = playlist;
    made.time = time;
    made.win = win;
    made.points = points;
    return made;
}

// The writer's columns in the reverse order, as a spreadsheet might arrange them.
std::vector<StatsColumn> reversedOrder() {
    std::vector<StatsColumn> order;
    for (const StatsColumnDescription& description : kStatsColumns)
        order.insert(order.begin(), description.column);
    return order;
}

TEST(RowReader, TheFirstLineMustBeAHeaderNamingTheColumnsAMatchIsReadFrom) {
    RowEvents sink;
    RowReader reader(sink, kNow);
    EXPECT_THROW(reader.finish(), StatsFileError) << "no line at all";
    try {
        reader.line(statsRowLine(StatsRow{}));
        ADD_FAILURE() << "a match line is no header";
    } catch (const StatsFileError& error) {
        EXPECT_NE(std::string(error.what()).find("is not a stats-file header"), std::string::npos)
            << error.what();
    }

    std::string withoutTime;
    for (const StatsColumnDescription& description : kStatsColumns) {
        if (description.column == StatsColumn::Time)
            continue;
        if (!withoutTime.empty())
            withoutTime += ',';
        withoutTime += description.name;
    }
    RowReader another(sink, kNow);
    try {
        another.line(withoutTime);
        ADD_FAILURE() << "a header without Time";
    } catch (const StatsFileError& error) {
        EXPECT_NE(std::string(error.what()).find("lacks the column Time"), std::string::npos) << error.what();
    }

    RowReader tooLong(sink, kNow);
    EXPECT_THROW(tooLong.tooLong(), StatsFileError) << "a first line too long to hold";
    EXPECT_TRUE(sink.events.empty());
}

TEST(RowReader, AHeaderAloneIsAFileOfNoMatches) {
    EXPECT_EQ(read({statsHeader()}), Events{});
}

TEST(RowReader, TheSameMatchReadsAlikeInAnyColumnOrder) {
    const std::vector<StatsRow> rows{row("Ranked Doubles", 1796000000, true, 420),
                                     row("Casual", 1796000600, false, 77)};
    const Events expected{"match 2 Ranked Doubles 1796000000 W 420", "match 3 Casual 1796000600 L 77"};
    for (const std::vector<StatsColumn>& order : {std::vector<StatsColumn>{}, reversedOrder()}) {
        std::vector<std::string> lines{statsHeader(order)};
        for (const StatsRow& each : rows)
            lines.push_back(statsRowLine(each, order));
        EXPECT_EQ(read(lines), expected) << lines[0];
    }
}

TEST(RowReader, AQuotedTitleMayHoldTheSeparatorAndItsOwnQuotes) {
    // The writer quotes a title that needs it; a spreadsheet doubles a quote inside.
    for (const std::vector<StatsColumn>& order : {std::vector<StatsColumn>{}, reversedOrder()}) {
        const std::string line = statsRowLine(row("Rumble, \"Heatseeker\"", 1796000000, true, 5), order);
        ASSERT_NE(line.find("\"Rumble, \"\"Heatseeker\"\"\""), std::string::npos) << line;
        EXPECT_EQ(read({statsHeader(order), line}), Events{"match 2 Rumble, \"Heatseeker\" 1796000000 W 5"});
    }
}

TEST(RowReader, SpaceAroundATitleIsNotPartOfIt) {
    const std::string line = statsRowLine(row("  Duel  ", 1796000000, false, 9));
    EXPECT_EQ(read({statsHeader(), line}), Events{"match 2 Duel 1796000000 L 9"});
}

TEST(RowReader, ALineThatIsNoMatchIsSkippedWithItsReasonAndTheNextStillCounts) {
    auto cells = [](StatsColumn broken, const std::string& cell) {
        return statsLine(
            [&](StatsColumn column) { return column == broken ? cell : cellOf(StatsRow{}, column); });
    };
    const Events events = read({
        statsHeader(),
        "",
        cells(StatsColumn::Goals, "two"),
        cells(StatsColumn::Win, "2"),
        cells(StatsColumn::Time, "12"),
        cells(StatsColumn::Time, std::to_string(kNow + 2 * 24 * 60 * 60)),
        cells(StatsColumn::Time, "soon"),
        statsRowLine(StatsRow{}),
    });
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0], "skip 2 empty line");
    EXPECT_EQ(events[1], "skip 3 Goals is not a number: \"two\"");
    EXPECT_EQ(events[2], "skip 4 Win is neither 0 nor 1: \"2\"");
    EXPECT_EQ(events[3], "skip 5 implausible time: \"12\" (before 2000)");
    EXPECT_EQ(events[4].rfind("skip 6 implausible time: ", 0), 0u) << events[4];
    EXPECT_NE(events[4].find("(more than a day after now)"), std::string::npos) << events[4];
    EXPECT_EQ(events[5], "skip 7 Time is not a number: \"soon\"");
    EXPECT_EQ(events[6], "match 8 Ranked Doubles 1796000000 W 300");
}

TEST(RowReader, ALineCutShortIsNoMatch) {
    // Cut within the columns every match needs (a missing optional column at the end would be allowed).
    std::string line = statsRowLine(StatsRow{});
    line.resize(line.size() / 2);
    const Events events = read({statsHeader(), line});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].rfind("skip 2 ", 0), 0u) << events[0];
}

TEST(RowReader, ARepeatedHeaderIsSkippedAndItsLayoutReadsTheLinesAfterIt) {
    const std::vector<StatsColumn> reversed = reversedOrder();
    const Events events = read({
        statsHeader(),
        statsRowLine(row("Duel", 1796000000, true, 1)),
        statsHeader(reversed),
        statsRowLine(row("Doubles", 1796000100, false, 2), reversed),
        statsHeader(),
        statsRowLine(row("Standard", 1796000200, true, 3)),
    });
    EXPECT_EQ(events, (Events{"match 2 Duel 1796000000 W 1", "skip 3 header line repeated",
                              "match 4 Doubles 1796000100 L 2", "skip 5 header line repeated",
                              "match 6 Standard 1796000200 W 3"}));
}

TEST(RowReader, ALineTooLongToHoldIsSkippedAndCounted) {
    RowEvents sink;
    RowReader reader(sink, kNow);
    reader.line(statsHeader());
    reader.tooLong();
    reader.line(statsRowLine(StatsRow{}));
    EXPECT_EQ(sink.events,
              (Events{"skip 2 line longer than 64 KiB", "match 3 Ranked Doubles 1796000000 W 300"}));
}

TEST(RowReader, SemicolonsAndQuotedHeadersOfASpreadsheetReadAlike) {
    std::string header;
    for (const StatsColumnDescription& description : kStatsColumns)
        header += (header.empty() ? "\"" : ";\"") + std::string(description.name) + "\"";
    const StatsFileLayout layout = layoutOfHeader(header);
    ASSERT_EQ(layout.separator, ';');
    std::string line = statsRowLine(row("Hoops", 1796000000, true, 12));
    std::replace(line.begin(), line.end(), ',', ';');
    EXPECT_EQ(read({header, line}), Events{"match 2 Hoops 1796000000 W 12"});
}

} // namespace
