// Reading a header: which separator, where each column stands, what is missing; and the round trip of
// a row written in any header's layout.
#include "statsfile/Layout.h"
#include "tests/support/LayoutRoundTrip.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The fifteen columns every file has, in the order of their names, as the first files were written.
const std::string kRequiredHeader =
    "Assists,Demos,Goals,MMR,MVP,MyTeamGoals,OtherTeamGoals,Playlist,Points,Ranked,"
    "Saves,Shots,Time,Timestamp,Win";
// A new file's header: the columns added since come last.
const std::string kOwnHeader = kRequiredHeader + ",MMRAfter";

std::string withSemicolons(std::string text) {
    for (char& c : text)
        c = c == ',' ? ';' : c;
    return text;
}

} // namespace

TEST(Layout, ThePluginsOwnHeaderIsTheWrittenLayout) {
    EXPECT_EQ(writtenHeaderLine(), kOwnHeader);
    const StatsFileLayout layout = layoutOfHeader(kOwnHeader);
    EXPECT_TRUE(layout.complete());
    EXPECT_EQ(layout.separator, ',');
    EXPECT_EQ(layout.fieldCount, 16u);
    EXPECT_EQ(layout.position, writtenLayout().position);
}

TEST(Layout, AHeaderOfTheFifteenColumnsIsCompleteAndLacksOnlyTheRatingAfter) {
    const StatsFileLayout layout = layoutOfHeader(kRequiredHeader);
    EXPECT_TRUE(layout.complete());
    EXPECT_EQ(layout.missingNames(), "") << "the rating after is not required";
    EXPECT_FALSE(layout.has(StatsColumn::MmrAfter));
    EXPECT_EQ(layout.position, requiredColumnsLayout().position);
    EXPECT_EQ(layout.fieldCount, requiredColumnsLayout().fieldCount);
    // Without a required column it is incomplete, and only the required ones count as missing.
    const StatsFileLayout withoutWin = layoutOfHeader(kRequiredHeader.substr(0, kRequiredHeader.size() - 4));
    EXPECT_FALSE(withoutWin.complete());
    EXPECT_EQ(withoutWin.missingNames(), "Win");
    // Named anywhere, the rating after counts at its place.
    const StatsFileLayout named = layoutOfHeader("MMRAfter;" + withSemicolons(kRequiredHeader));
    EXPECT_TRUE(named.complete());
    EXPECT_EQ(named.of(StatsColumn::MmrAfter), 0u);
    EXPECT_EQ(named.of(StatsColumn::Win), 15u);
}

TEST(Layout, SpreadsheetsSavesReadAlike) {
    const StatsFileLayout own = layoutOfHeader(kOwnHeader);
    std::string quoted;
    for (const StatsColumnDescription& description : kStatsColumns)
        quoted += (quoted.empty() ? "\"" : ";\"") + std::string(description.name) + "\"";
    for (const std::string& header : {withSemicolons(kOwnHeader), "\xEF\xBB\xBF" + kOwnHeader,
                                      kOwnHeader + "\r", quoted, "\xEF\xBB\xBF" + quoted + "\r"}) {
        const StatsFileLayout layout = layoutOfHeader(header);
        EXPECT_TRUE(layout.complete()) << header;
        EXPECT_EQ(layout.position, own.position) << header;
    }
    EXPECT_EQ(layoutOfHeader(withSemicolons(kOwnHeader)).separator, ';');
}

TEST(Layout, BlanksAroundANameAreNotPartOfItAndTheLaterOfTwoPlacesCounts) {
    const StatsFileLayout layout = layoutOfHeader(" Win ,Playlist,\t\"Time\" ,Notes,Win");
    EXPECT_EQ(layout.of(StatsColumn::Win), 4u);
    EXPECT_EQ(layout.of(StatsColumn::Playlist), 1u);
    EXPECT_EQ(layout.of(StatsColumn::Time), 2u) << "blanks outside the quotes too";
    EXPECT_EQ(layout.fieldCount, 5u);
}

TEST(Layout, ANameTheHeaderLacksIsMissingNeverAnotherPlace) {
    const StatsFileLayout layout = layoutOfHeader("Win,Rank,Time");
    EXPECT_FALSE(layout.has(StatsColumn::Ranked));
    EXPECT_EQ(layout.of(StatsColumn::Ranked), kAbsentColumn);
    EXPECT_FALSE(layout.complete());
    EXPECT_FALSE(layout.namesNone());
    EXPECT_EQ(layout.missingNames([](StatsColumn column) { return column == StatsColumn::Ranked; }),
              "Ranked");

    for (const char* none : {"", "1,0,2,1050", "Spiel;Tore;Zeit", "win,time"})
        EXPECT_TRUE(layoutOfHeader(none).namesNone()) << none;
}

TEST(Layout, TheSeparatorThatFindsMoreNamesWins) {
    // A player's column named with a comma in a semicolon file.
    EXPECT_EQ(layoutOfHeader("Win;Notes, mine;Time;Playlist").separator, ';');
    EXPECT_EQ(layoutOfHeader("Win;Time,Playlist,Points").separator, ',');
    EXPECT_EQ(layoutOfHeader("Win").separator, ',') << "a tie goes to the comma";
    EXPECT_EQ(layoutOfHeader("Win;Time\tPlaylist;Points\tMVP").separator, ';') << "a tie of two it holds";
    // Tabs are blanks around a name only to a separator the header holds.
    const StatsFileLayout tabs = layoutOfHeader(" \tAssists\t ");
    EXPECT_EQ(tabs.separator, '\t');
    EXPECT_EQ(tabs.fieldCount, 3u);
    EXPECT_EQ(tabs.of(StatsColumn::Assists), 1u);
    EXPECT_EQ(layoutOfHeader("Assists,\tWin").of(StatsColumn::Win), 1u) << "a tab beside a comma is a blank";
}

// A row written in any header's layout reads back to the values written, over many drawn cases.
TEST(LayoutRoundTrip, RowsReadBackInEveryHeadersLayout) {
    std::mt19937 draw(20261208);
    std::vector<std::uint8_t> bytes(512);
    for (int round = 0; round < 20000; ++round) {
        for (std::uint8_t& byte : bytes)
            byte = static_cast<std::uint8_t>(draw());
        ChoiceBytes choices(bytes);
        const std::string failure = layoutRoundTripFailure(choices);
        ASSERT_EQ(failure, "") << "round " << round;
    }
}

TEST(LayoutRoundTrip, CellsTheStrictRuleTakesReadAlikeByTheLenientOne) {
    std::mt19937 draw(7);
    const std::string alphabet(" \t+-0123456789x.\0", 17); // NUL included
    for (int round = 0; round < 20000; ++round) {
        std::string cell;
        const std::size_t length = draw() % 12;
        for (std::size_t at = 0; at < length; ++at)
            cell += alphabet[draw() % alphabet.size()];
        ASSERT_EQ(cellConversionFailure(cell), "") << round;
    }
}
