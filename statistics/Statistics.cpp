// Turns the kept lines into averages and recent-match tables.
#include "plugin/Tallyglass.h"
#include "statistics/AverageText.h"
#include "statistics/CellConversion.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

namespace {

// Indexes into columnNames.
enum ColumnName : std::size_t {
    kPlaylistName = 0,
    kMyTeamGoalsName = 1,
    kMmrName = 2,
    kTimeName = 3,
    kWinName = 4,
    kOtherTeamGoalsName = 5,
    kRankedName = 6,
    kPointsName = 7,
    kGoalsName = 8,
    kAssistsName = 9,
    kSavesName = 10,
    kShotsName = 11,
    kDemosName = 12,
};

struct TableShape {
    Tallyglass::Table Tallyglass::*table;
    Tallyglass::ColumnTitles Tallyglass::*titles;
    ColumnName statistic; // the field its third column shows
};

// matchTable is filled like pointsTable: the overlay measures and colours rows by it.
constexpr std::array<TableShape, 8> kTables{{
    {&Tallyglass::matchTable, &Tallyglass::pointsColumns, kPointsName},
    {&Tallyglass::mmrTable, &Tallyglass::mmrColumns, kMmrName},
    {&Tallyglass::pointsTable, &Tallyglass::pointsColumns, kPointsName},
    {&Tallyglass::goalsTable, &Tallyglass::goalsColumns, kGoalsName},
    {&Tallyglass::assistsTable, &Tallyglass::assistsColumns, kAssistsName},
    {&Tallyglass::savesTable, &Tallyglass::savesColumns, kSavesName},
    {&Tallyglass::shotsTable, &Tallyglass::shotsColumns, kShotsName},
    {&Tallyglass::demosTable, &Tallyglass::demosColumns, kDemosName},
}};

struct AveragedStatistic {
    StatsColumn column;
    std::string Tallyglass::*text;
};

constexpr std::array<AveragedStatistic, 7> kAverages{{
    {StatsColumn::Mmr, &Tallyglass::averageMmr},
    {StatsColumn::Points, &Tallyglass::averagePoints},
    {StatsColumn::Goals, &Tallyglass::averageGoals},
    {StatsColumn::Assists, &Tallyglass::averageAssists},
    {StatsColumn::Saves, &Tallyglass::averageSaves},
    {StatsColumn::Shots, &Tallyglass::averageShots},
    {StatsColumn::Demos, &Tallyglass::averageDemos},
}};

// Every averaged column of the stats file has its average text, and no other column has one.
constexpr bool averagesCoverTheAveragedColumns() {
    std::size_t averaged = 0;
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t found = 0;
        for (const AveragedStatistic& statistic : kAverages)
            found += statistic.column == description.column ? 1 : 0;
        if (found != (description.averaged ? 1u : 0u))
            return false;
        averaged += found;
    }
    return averaged == kAverages.size();
}
static_assert(averagesCoverTheAveragedColumns(), "one average text for each averaged column");

// The field position of a statistic in the kept lines: where the header names it (its later cell when
// it names it twice, as the tables take it), else where the writer puts it.
std::size_t averagedPosition(std::span<const std::string, Tallyglass::kFieldsPerLine> headerCells,
                             StatsColumn column) {
    const std::string_view name = columnName(column);
    for (std::size_t position = headerCells.size(); position-- > 0;)
        if (headerCells[position] == name)
            return position;
    return writtenPosition(column);
}

std::string& cellOf(Tallyglass::Table& table, int row, int column) {
    return table[static_cast<std::size_t>(row * Tallyglass::kTableColumns + column)];
}

} // namespace

void Tallyglass::refreshStatistics() {
    // Rows past the file's data lines hold nothing of it, whatever their slots say.
    const int dataRows = std::clamp(lineCount - 1, 0, kKeptLines - 1);
    splitRecentLines();
    updateAverages(dataRows);
    buildColumnIndex();
    fillTableRows(dataRows);
}

void Tallyglass::emptyTableRow(int row) {
    for (const TableShape& shape : kTables)
        for (int column = 0; column < kTableColumns; ++column)
            cellOf(this->*shape.table, row, column).clear();
}

// A row counts toward the averages only when all seven of its statistics are numbers, so that every
// average is taken over the same matches. The statistics are found by the header's names, as the tables
// find their fields, so a file whose columns were reordered averages the figures its rows show.
void Tallyglass::updateAverages(int dataRows) {
    const std::span<const std::string, kFieldsPerLine> headerCells(lineFields.data(), kFieldsPerLine);
    std::array<std::size_t, kAverages.size()> positions{};
    for (std::size_t which = 0; which < kAverages.size(); ++which)
        positions[which] = averagedPosition(headerCells, kAverages[which].column);
    std::array<std::int64_t, kAverages.size()> sums{};
    std::int32_t counted = 0;
    for (int row = 1; row <= dataRows; ++row) {
        std::array<std::int32_t, kAverages.size()> values{};
        bool complete = true;
        for (std::size_t which = 0; which < kAverages.size() && complete; ++which) {
            const std::optional<std::int32_t> value =
                cellToInt(lineFields[static_cast<std::size_t>(row) * kFieldsPerLine + positions[which]]);
            complete = value.has_value();
            values[which] = value.value_or(0);
        }
        if (!complete)
            continue;
        ++counted;
        for (std::size_t which = 0; which < kAverages.size(); ++which)
            sums[which] += values[which];
    }
    for (std::size_t which = 0; which < kAverages.size(); ++which)
        this->*kAverages[which].text = averageText(sums[which], counted);
}

void Tallyglass::fillTableRows(int dataRows) {
    for (const TableShape& shape : kTables)
        std::copy((this->*shape.titles).begin(), (this->*shape.titles).end(), (this->*shape.table).begin());
    if (dataRows == 0)
        return;

    // Fields are found by the names in the header; a name no header ever had resolves to position 0.
    std::array<int, 13> positions{};
    for (std::size_t name = 0; name < columnNames.size(); ++name)
        positions[name] = columnPosition(columnNames[name]);

    std::string playlistCell;
    std::string scoreCell;
    std::string timeCell;
    for (int row = 1; row <= dataRows; ++row) {
        const auto field = [&](ColumnName name) -> std::string_view {
            const int position = positions[name];
            if (position < 0 || position >= kFieldsPerLine)
                return {};
            return lineFields[static_cast<std::size_t>(row * kFieldsPerLine + position)];
        };
        // A cell that is no number shows what it can: not ranked, and no age.
        playlistCell.assign(cellToInt(field(kRankedName)) == 1 ? "R " : "C ").append(field(kPlaylistName));
        scoreCell.assign(field(kMyTeamGoalsName)).append("-").append(field(kOtherTeamGoalsName));
        const std::optional<std::uint64_t> time = cellToTime(field(kTimeName));
        timeCell = time ? timeAgo(static_cast<std::uint32_t>(*time)) : std::string();
        const std::string_view win = field(kWinName);

        for (const TableShape& shape : kTables) {
            Table& table = this->*shape.table;
            cellOf(table, row, 0).assign(playlistCell);
            cellOf(table, row, 1).assign(scoreCell);
            cellOf(table, row, 2).assign(field(shape.statistic));
            cellOf(table, row, 3).assign(timeCell);
            cellOf(table, row, 4).assign(win);
        }
    }
}
