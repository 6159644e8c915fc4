// Turns the kept lines into averages and recent-match tables.
#include "overlay/TimeAgoText.h"
#include "plugin/StatBoxes.h"
#include "plugin/Tallyglass.h"
#include "plugin/WallClock.h"
#include "statistics/AverageText.h"
#include "statsfile/CellConversion.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

namespace {

std::string& cellOf(Tallyglass::Table& table, int row, int column) {
    return table[overlay::cellIndex(row, column)];
}

} // namespace

void Tallyglass::refreshStatistics() {
    // Rows past the file's data lines hold nothing of it, whatever their slots say.
    const int dataRows = overlay::dataRowCount(lineCount);
    splitRecentLines();
    updateAverages(dataRows);
    buildColumnIndex();
    fillTableRows(dataRows);
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
    if (dataRows == 0)
        return;

    // Fields are found by the names in the header; a column the header lacks shows nothing.
    std::array<int, kStatsColumnCount> positions{};
    for (std::size_t field = 0; field < kTableFields.size(); ++field)
        positions[writtenPosition(kTableFields[field])] = columnPosition(columnNames[field]);

    const std::int64_t now = wallClockNow();
    std::string playlistCell;
    std::string scoreCell;
    std::string timeCell;
    for (int row = 1; row <= dataRows; ++row) {
        const auto field = [&](StatsColumn column) -> std::string_view {
            const int position = positions[writtenPosition(column)];
            if (position < 0 || position >= kFieldsPerLine)
                return {};
            return lineFields[static_cast<std::size_t>(row * kFieldsPerLine + position)];
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
