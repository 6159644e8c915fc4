// The console's playlist table: each column as wide as what it holds, counts of any size and titles in
// any script, so that the columns line up on screen; a title wider than the name column's limit cut.
#include "report/ConsoleSummary.h"
#include "toolkit/ScreenWidth.h"
#include "toolkit/Utf8.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The columns `text` takes on screen.
std::size_t columnsOf(std::string_view text) {
    std::size_t columns = 0;
    while (!text.empty()) {
        const Utf8Character character = utf8CharacterAt(text);
        columns += static_cast<std::size_t>(screenColumns(character.code));
        text.remove_prefix(std::max<std::size_t>(character.length, 1));
    }
    return columns;
}

PlaylistSummary playlist(const std::string& name, std::uint64_t wins, std::uint64_t losses,
                         std::optional<std::int32_t> rating) {
    PlaylistSummary summary;
    summary.name = name;
    summary.matches = wins + losses;
    summary.wins = wins;
    summary.losses = losses;
    summary.currentRating = rating;
    summary.peakRating = rating ? std::optional(*rating + 12) : std::nullopt;
    summary.currentStreak = -2;
    return summary;
}

// The table's lines: its heading and one a playlist.
std::vector<std::string> tableOf(const HistorySummary& summary, const RatingBands& bands = RatingBands()) {
    std::ostringstream out;
    printConsoleSummary(summary, out, bands);
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        inTable = inTable || line.starts_with("Playlist");
        if (inTable && line.empty())
            break;
        if (inTable)
            lines.push_back(line);
    }
    return lines;
}

TEST(ConsoleTable, CountsOfAnySizeAndTitlesInAnyScriptLineUp) {
    HistorySummary summary;
    summary.playlists = {
        playlist("Ranked Doubles", 137'689, 137'690, 1'183),                                // 275,379 matches
        playlist("\xE6\x8E\x92\xE4\xBD\x8D \xE5\x8F\x8C\xE6\x89\x93", 3, 1, 2'147'483'000), // 排位 双打
        playlist("Rumble \xF0\x9F\x8F\x86\xF0\x9F\x94\xA5", 1, 0, std::nullopt),            // 🏆🔥
        playlist("Cafe\xCC\x81", 0, 9, 900), // an accent that combines with the e before it
    };
    summary.matches = 275'379 + 4 + 1 + 9;
    const std::vector<std::string> lines = tableOf(summary);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[1].starts_with("Ranked Doubles  275,379  137,689-137,690  ")) << lines[1];
    // Every line as wide on screen, each column ending where its heading ends.
    for (const std::string& line : lines)
        EXPECT_EQ(columnsOf(line), columnsOf(lines[0])) << line;
    for (const std::string heading : {"Matches", "W-L", "Win rate", "Rating", "Peak", "Streak"}) {
        const std::size_t end = columnsOf(lines[0].substr(0, lines[0].find(heading) + heading.size()));
        for (std::size_t at = 1; at < lines.size(); ++at) {
            // The figure ends at the heading's end: the cell there is no blank, the one after it is.
            std::string before;
            std::string_view rest = lines[at];
            while (columnsOf(before) < end) {
                const std::size_t length = std::max<std::size_t>(utf8CharacterAt(rest).length, 1);
                before.append(rest.substr(0, length));
                rest.remove_prefix(length);
            }
            EXPECT_EQ(columnsOf(before), end) << lines[at];
            EXPECT_NE(before.back(), ' ') << heading << ": " << lines[at];
            EXPECT_TRUE(rest.empty() || rest.front() == ' ') << heading << ": " << lines[at];
        }
    }
    EXPECT_TRUE(lines[2].find("2,147,483,000") != std::string::npos) << lines[2];
}

TEST(ConsoleTable, AWideTitleIsCutAtFortyColumnsOnScreen) {
    HistorySummary summary;
    std::string wide;
    for (int at = 0; at < 30; ++at)
        wide += "\xE6\x8E\x92"; // 排, two columns each
    summary.playlists = {playlist(wide, 1, 1, 1000), playlist("Duel", 1, 0, 1000)};
    const std::vector<std::string> lines = tableOf(summary);
    ASSERT_EQ(lines.size(), 3u);
    std::string cut;
    for (int at = 0; at < 19; ++at)
        cut += "\xE6\x8E\x92";
    EXPECT_TRUE(lines[1].starts_with(cut + "~  ")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("Duel" + std::string(39 - 4, ' ') + "  ")) << lines[2];
    EXPECT_EQ(columnsOf(lines[1]), columnsOf(lines[2]));
}

TEST(ConsoleTable, WithBandsTheTableShowsEachPlaylistsBandAndThePointsToTheNext) {
    HistorySummary summary;
    summary.playlists = {playlist("Ranked Doubles", 5, 5, 1120), playlist("Ranked Duel", 1, 0, 1500),
                         playlist("Casual", 1, 0, std::nullopt)};
    const RatingBands bands = RatingBands::parse(
        "Playlist,Band,From\nRanked Doubles,Platinum I,1000\nRanked Doubles,Diamond I,1200\n"
        "Ranked Duel,\xE9\x92\xBB\xE7\x9F\xB3,1400\n",
        "bands.csv");
    const std::vector<std::string> lines = tableOf(summary, bands);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[0].ends_with("Streak  Band        To next")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with("2L  Platinum I       80")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with("2L  \xE9\x92\xBB\xE7\x9F\xB3" + std::string(6 + 2 + 6, ' ') + "-"))
        << lines[2];
    EXPECT_TRUE(lines[3].ends_with("2L  -" + std::string(9 + 2 + 6, ' ') + "-")) << lines[3];
    EXPECT_EQ(tableOf(summary)[0].find("Band"), std::string::npos) << "no bands, no band column";
}

} // namespace
