// Turns the kept lines into averages and recent-match tables: splits them into fields at the writer's
// column positions, then averages and fills the tables from those positions.
#include "overlay/TableCells.h"
#include "overlay/TimeAgoText.h"
#include "plugin/StatBoxes.h"
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "statistics/AverageText.h"
#include "statistics/ReadingLayouts.h"
#include "statistics/StatisticPositions.h"
#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace {

std::string& cellOf(Tallyglass::Table& table, int row, int column) {
    return table[overlay::cellIndex(row, column)];
}

} // namespace

void Tallyglass::refreshStatistics() {
    // Rows past the file's data lines hold nothing of it, whatever their slots say.
    const int dataRows = overlay::dataRowCount(lineCount);
    splitRecentLines();
    buildColumnIndex();
    updateAverages(dataRows);
    fillTableRows(dataRows);
}

// Every kept line's fields go into lineFields in the writer's column order, wherever the file's own
// header puts them, so that a position there always names the same column: the columns every file has,
// which are all the scoreboard shows. The header row holds the names of the columns the lines can hold,
// and nothing where they cannot.
void Tallyglass::splitRecentLines() {
    const ReadingLayouts layouts(recentLines[0]);
    std::vector<std::string_view> fields;
    std::string unquoted;
    lackedByALine_.fill(false);
    for (std::size_t row = 0; row < kKeptLines; ++row) {
        const StatsFileLayout& layout = row == 0 ? layouts.header() : layouts.of(recentLines[row]);
        fields.resize(std::max<std::size_t>(layout.fieldCount, 1));
        // A data line's surplus fields belong to its title; the header has none to give back.
        const std::size_t joinPosition = row == 0 ? fields.size() : layout.of(StatsColumn::Playlist);
        const std::size_t count =
            splitFields(recentLines[row], layout.separator, fields, joinPosition, unquoted);
        for (std::size_t column = 0; column < kFieldsPerLine; ++column) {
            const StatsColumnDescription& description = kStatsColumns[column];
            const std::size_t position = writtenPosition(description.column);
            std::string& cell = lineFields[row * kFieldsPerLine + position];
            const std::size_t at = layout.of(description.column);
            if (row == 0)
                cell.assign(layouts.reach(description.column) ? description.name : std::string_view());
            else if (at < count)
                cell.assign(fields[at]);
            // A column the line's layout lacks shows nothing; an empty slot has no layout to lack it.
            else if (at == kAbsentColumn && !recentLines[row].empty()) {
                cell.clear();
                lackedByALine_[position] = true;
            }
            // A cell the line does not reach is emptied, so that no field of another line shows in this
            // row; a statistic gets the "null" mark that keeps the row out of the averages.
            else if (isStatisticPosition(position))
                cell.assign(kMissingStatistic);
            else
                cell.clear();
        }
    }
}

// The header's names at their positions in lineFields; only the names the header has.
void Tallyglass::buildColumnIndex() {
    columnIndex.clear();
    for (std::int32_t position = 0; position < kFieldsPerLine; ++position) {
        const std::string& name = lineFields[static_cast<std::size_t>(position)];
        if (!name.empty())
            columnIndex[name] = position;
    }
}

int Tallyglass::columnPosition(const std::string& name) {
    const auto found = columnIndex.find(name);
    return found == columnIndex.end() ? kMissingColumn : found->second;
}

void Tallyglass::emptyTableRow(int row) {
    const auto emptyRow = [row](Table& table) {
        for (int column = 0; column < kTableColumns; ++column)
            cellOf(table, row, column).clear();
    };
    emptyRow(matchTable);
    for (const StatBox& box : kStatBoxes)
        emptyRow(this->*box.table);
}

// A row counts toward the averages only when all seven of its statistics are numbers, so that every
// average is taken over the same matches. A statistic the header lacks has no average and keeps no row
// out of the others'.
void Tallyglass::updateAverages(int dataRows) {
    std::array<bool, kStatBoxes.size()> named{};
    for (std::size_t which = 0; which < kStatBoxes.size(); ++which)
        named[which] = !lineFields[writtenPosition(kStatBoxes[which].statistic)].empty() &&
                       !lackedByALine_[writtenPosition(kStatBoxes[which].statistic)];
    std::array<std::int64_t, kStatBoxes.size()> sums{};
    std::int32_t counted = 0;
    for (int row = 1; row <= dataRows; ++row) {
        std::array<std::int32_t, kStatBoxes.size()> values{};
        bool complete = true;
        for (std::size_t which = 0; which < kStatBoxes.size() && complete; ++which) {
            if (!named[which])
                continue;
            const std::size_t position = writtenPosition(kStatBoxes[which].statistic);
            const std::optional<std::int32_t> value =
                cellToInt(lineFields[static_cast<std::size_t>(row) * kFieldsPerLine + position]);
            complete = value.has_value();
            values[which] = value.value_or(0);
        }
        if (!complete)
            continue;
        ++counted;
        for (std::size_t which = 0; which < kStatBoxes.size(); ++which)
            sums[which] += values[which];
    }
    for (std::size_t which = 0; which < kStatBoxes.size(); ++which)
        this->*kStatBoxes[which].average = averageText(sums[which], named[which] ? counted : 0);
}

// matchTable is filled like pointsTable: the overlay measures and colours rows by it.
void Tallyglass::fillTableRows(int dataRows) {
    std::copy(pointsColumns.begin(), pointsColumns.end(), matchTable.begin());
    for (const StatBox& box : kStatBoxes)
        std::copy((this->*box.titles).begin(), (this->*box.titles).end(), (this->*box.table).begin());
    // The rows of a longer file read before (another player id, a file started anew) go.
    for (int row = dataRows + 1; row < kKeptLines; ++row)
        emptyTableRow(row);
    if (dataRows == 0)
        return;

    const std::int64_t now = wallClockNow();
    std::string playlistCell;
    std::string scoreCell;
    std::string timeCell;
    for (int row = 1; row <= dataRows; ++row) {
        // The split put every field at its column's written position; a column the header lacks
        // (its name is missing from the header row) shows nothing.
        const auto field = [&](StatsColumn column) -> std::string_view {
            const std::size_t position = writtenPosition(column);
            if (lineFields[position].empty())
                return {};
            return lineFields[static_cast<std::size_t>(row) * kFieldsPerLine + position];
        };
        // A cell that is no number shows what it can: not ranked, and no age.
        playlistCell.assign(cellToInt(field(StatsColumn::Ranked)) == 1 ? "R " : "C ")
            .append(field(StatsColumn::Playlist));
        scoreCell.assign(field(StatsColumn::MyTeamGoals))
            .append("-")
            .append(field(StatsColumn::OtherTeamGoals));
        const std::optional<std::uint64_t> time = cellToTime(field(StatsColumn::Time));
        timeCell = time ? timeAgo(ageTimestamp(now, *time)) : std::string();
        const std::string_view win = field(StatsColumn::Win);

        const auto fillRow = [&](Table& table, StatsColumn statistic) {
            cellOf(table, row, 0).assign(playlistCell);
            cellOf(table, row, 1).assign(scoreCell);
            cellOf(table, row, 2).assign(field(statistic));
            cellOf(table, row, 3).assign(timeCell);
            cellOf(table, row, overlay::kWinColumn).assign(win);
        };
        fillRow(matchTable, StatsColumn::Points);
        for (const StatBox& box : kStatBoxes)
            fillRow(this->*box.table, box.statistic);
    }
}
