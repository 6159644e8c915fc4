#include "tests/report/StatsFileText.h"

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

std::string cellOf(const Row& row, StatsColumn column) {
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
        return "18:45:38 12/03/26";
    case StatsColumn::Win:
        return row.win ? "1" : "0";
    }
    return {};
}

std::string headerLine(const std::vector<StatsColumn>& order) {
    std::string line;
    for (const StatsColumn column : orderOrWritten(order))
        line.append(line.empty() ? "" : ",").append(columnName(column));
    return line;
}

std::string statsFileText(const std::vector<Row>& rows, const std::vector<StatsColumn>& order,
                          const std::string& lineEnd) {
    const std::vector<StatsColumn> columns = orderOrWritten(order);
    std::string text = headerLine(columns) + lineEnd;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t at = 0; at < columns.size(); ++at)
            line.append(at == 0 ? "" : ",").append(cellOf(row, columns[at]));
        text += line + lineEnd;
    }
    return text;
}
