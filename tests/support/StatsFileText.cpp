#include "tests/support/StatsFileText.h"

#include "statsfile/RowWriting.h"

namespace {

std::vector<StatsColumn> orderOrWritten(const std::vector<StatsColumn>& order) {
    if (!order.empty())
        return order;
    std::vector<StatsColumn> written;
    for (const StatsColumnDescription& description : kStatsColumns)
        written.push_back(description.column);
    return written;
}

} // namespace

std::vector<StatsColumn> requiredColumnOrder() {
    std::vector<StatsColumn> required;
    for (std::size_t position = 0; position < kRequiredColumnCount; ++position)
        required.push_back(kStatsColumns[position].column);
    return required;
}

std::string statsHeader(const std::vector<StatsColumn>& order) {
    std::string header;
    for (const StatsColumn column : orderOrWritten(order))
        header.append(header.empty() ? "" : ",").append(columnName(column));
    return header;
}

// Each cell in the layout of the header of `order`, quoted where the plugin's writer quotes.
std::string statsLine(const std::function<std::string(StatsColumn)>& cellOf,
                      const std::vector<StatsColumn>& order) {
    ColumnValues values;
    for (const StatsColumn column : orderOrWritten(order))
        values[writtenPosition(column)] = cellOf(column);
    return rowLine(values, layoutOfHeader(statsHeader(order)));
}

StatsRow ratedRow(const std::string& playlist, std::int64_t time, bool win, std::int32_t before,
                  std::optional<std::int32_t> after) {
    StatsRow row;
    row.playlist = playlist;
    row.time = time;
    row.win = win;
    row.mmr = before;
    row.mmrAfter = after;
    return row;
}

std::string cellOf(const StatsRow& row, StatsColumn column) {
    switch (column) {
    case StatsColumn::Assists:
        return std::to_string(row.assists);
    case StatsColumn::Demos:
        return std::to_string(row.demos);
    case StatsColumn::Goals:
        return std::to_string(row.goals);
    case StatsColumn::Mmr:
        return std::to_string(row.mmr);
    case StatsColumn::Mvp:
        return row.mvp ? "1" : "0";
    case StatsColumn::MyTeamGoals:
        return row.win ? "3" : "1";
    case StatsColumn::OtherTeamGoals:
        return row.win ? "1" : "3";
    case StatsColumn::Playlist:
        return row.playlist;
    case StatsColumn::Points:
        return std::to_string(row.points);
    case StatsColumn::Ranked:
        return row.ranked ? "1" : "0";
    case StatsColumn::Saves:
        return std::to_string(row.saves);
    case StatsColumn::Shots:
        return std::to_string(row.shots);
    case StatsColumn::Time:
        return std::to_string(row.time);
    case StatsColumn::Timestamp:
        return row.timestamp;
    case StatsColumn::Win:
        return row.win ? "1" : "0";
    case StatsColumn::MmrAfter:
        return row.mmrAfter ? std::to_string(*row.mmrAfter) : std::string();
    }
    return {};
}

std::string statsRowLine(const StatsRow& row, const std::vector<StatsColumn>& order) {
    return statsLine([&](StatsColumn column) { return cellOf(row, column); }, order);
}

std::string statsFileText(const std::vector<StatsRow>& rows, const std::vector<StatsColumn>& order,
                          const std::string& lineEnd) {
    std::string text = statsHeader(order) + lineEnd;
    for (const StatsRow& row : rows)
        text += statsRowLine(row, order) + lineEnd;
    return text;
}
