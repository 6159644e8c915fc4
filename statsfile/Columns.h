// The columns of the stats file, described once: their names, the order a new file is written in, which
// columns a file must have and which it may lack, and what each column is to the programs that read it.
// The plugin's writer and reader, the history report, the live view, hostsim and the tests all take
// names, order and roles from this table; where a program must do something for each column, it switches
// over StatsColumn without a default, so the compiler names every place a new column has to reach.
//
// Adding a column: it goes after every column there is, and is not required, so that the files players
// already have (whose headers lack it) stay complete; a header that names it gives its place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// In the writer's order. The required columns come first, in the order of their names (the match row is
// an ordered map keyed by name, and the first files were written in its order); the columns added since
// follow, each after the one before. The checks below keep the table in that order.
enum class StatsColumn : std::size_t {
    Assists,
    Demos,
    Goals,
    Mmr,
    Mvp,
    MyTeamGoals,
    OtherTeamGoals,
    Playlist,
    Points,
    Ranked,
    Saves,
    Shots,
    Time,
    Timestamp,
    Win,
    MmrAfter,
};

// Where the capture takes a column's value from; hostsim's `stats` command sets the player's figures.
// `ratingAfter` is filled after the capture: by the rating the host announces before the row is written.
enum class ValueSource : std::uint8_t { playerFigure, teams, playlist, rating, ratingAfter, clock };

struct StatsColumnDescription {
    StatsColumn column;
    std::string_view name; // as the header spells it
    std::string_view key;  // the column in the tools' JSON and in hostsim's scenarios
    ValueSource source;
    bool required;       // every file has it: a header that lacks it is incomplete
    bool statBox;        // one of the seven statistics with a stat box and an average on the scoreboard
    bool reportAveraged; // averaged per playlist by the history report
};

inline constexpr std::array<StatsColumnDescription, 16> kStatsColumns{{
    {StatsColumn::Assists, "Assists", "assists", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Demos, "Demos", "demos", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Goals, "Goals", "goals", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Mmr, "MMR", "rating", ValueSource::rating, true, true, false},
    {StatsColumn::Mvp, "MVP", "mvp", ValueSource::playerFigure, true, false, false},
    {StatsColumn::MyTeamGoals, "MyTeamGoals", "myGoals", ValueSource::teams, true, false, false},
    {StatsColumn::OtherTeamGoals, "OtherTeamGoals", "otherGoals", ValueSource::teams, true, false, false},
    {StatsColumn::Playlist, "Playlist", "playlist", ValueSource::playlist, true, false, false},
    {StatsColumn::Points, "Points", "points", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Ranked, "Ranked", "ranked", ValueSource::playlist, true, false, false},
    {StatsColumn::Saves, "Saves", "saves", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Shots, "Shots", "shots", ValueSource::playerFigure, true, true, true},
    {StatsColumn::Time, "Time", "time", ValueSource::clock, true, false, false},
    {StatsColumn::Timestamp, "Timestamp", "timestamp", ValueSource::clock, true, false, false},
    {StatsColumn::Win, "Win", "win", ValueSource::teams, true, false, false},
    // The rating the host announced after the match, before its row was written; empty when none came.
    {StatsColumn::MmrAfter, "MMRAfter", "ratingAfter", ValueSource::ratingAfter, false, false, false},
}};

inline constexpr std::size_t kStatsColumnCount = kStatsColumns.size();

// The columns every file has: the first ones of the table.
inline constexpr std::size_t kRequiredColumnCount = [] {
    std::size_t count = 0;
    while (count < kStatsColumns.size() && kStatsColumns[count].required)
        ++count;
    return count;
}();

// Where the writer puts the column within a line.
constexpr std::size_t writtenPosition(StatsColumn column) {
    return static_cast<std::size_t>(column);
}

constexpr std::string_view columnName(StatsColumn column) {
    return kStatsColumns[writtenPosition(column)].name;
}

constexpr const StatsColumnDescription& describe(StatsColumn column) {
    return kStatsColumns[writtenPosition(column)];
}

constexpr std::string_view columnKey(StatsColumn column) {
    return describe(column).key;
}

constexpr bool isRequired(StatsColumn column) {
    return describe(column).required;
}

// Whether the column at this written position is one of the seven stat-box statistics.
constexpr bool isStatBoxPosition(std::size_t position) {
    return position < kStatsColumnCount && kStatsColumns[position].statBox;
}

// The column a header cell names, if it names one.
constexpr std::optional<StatsColumn> columnNamed(std::string_view name) {
    for (const StatsColumnDescription& description : kStatsColumns)
        if (description.name == name)
            return description.column;
    return std::nullopt;
}

// The column a key of the tools' JSON and hostsim's scenarios stands for, if it stands for one.
constexpr std::optional<StatsColumn> columnKeyed(std::string_view key) {
    for (const StatsColumnDescription& description : kStatsColumns)
        if (description.key == key)
            return description.column;
    return std::nullopt;
}

namespace stats_columns_detail {
constexpr bool describedInWrittenOrder() {
    for (std::size_t position = 0; position < kStatsColumnCount; ++position) {
        if (writtenPosition(kStatsColumns[position].column) != position)
            return false;
        if (kStatsColumns[position].required != (position < kRequiredColumnCount))
            return false;
        if (position > 0 && position < kRequiredColumnCount &&
            !(kStatsColumns[position - 1].name < kStatsColumns[position].name))
            return false;
    }
    return true;
}
constexpr bool namesAndKeysUnique() {
    for (std::size_t one = 0; one < kStatsColumnCount; ++one)
        for (std::size_t other = one + 1; other < kStatsColumnCount; ++other)
            if (kStatsColumns[one].name == kStatsColumns[other].name ||
                kStatsColumns[one].key == kStatsColumns[other].key)
                return false;
    return true;
}
constexpr std::size_t statBoxCount() {
    std::size_t count = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        count += description.statBox ? 1 : 0;
    return count;
}
} // namespace stats_columns_detail

static_assert(stats_columns_detail::describedInWrittenOrder(),
              "each column stands at its written position, the required ones first, their names in the "
              "match row's order");
static_assert(stats_columns_detail::namesAndKeysUnique(), "no two columns share a name or a key");
static_assert(kRequiredColumnCount == 15, "the fifteen columns of the first files stay required");
static_assert(stats_columns_detail::statBoxCount() == 7, "seven statistics have a stat box");
