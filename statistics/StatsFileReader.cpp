// Reads the stats file's header and newest lines back, and splits them into fields.
#include "plugin/Tallyglass.h"
#include "statistics/ReadingLayouts.h"
#include "statistics/StatisticPositions.h"
#include "statistics/StatsFileTail.h"
#include "statsfile/FieldSplit.h"
#include "statsfile/FileNames.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace {

std::int32_t clampedLineCount(std::uint64_t lines) {
    return static_cast<std::int32_t>(
        std::min<std::uint64_t>(lines, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

// One pass over the file gives the line count, the header and the newest lines; the file is never held
// in memory, however long it grows.
void Tallyglass::loadStatsFile(std::filesystem::path path) {
    StatsFileTail tail = readStatsFileTail(path, kKeptLines - 1);
    if (tail.state == StatsFileState::refused) {
        // No text (a workbook saved under its name): the matches recorded meanwhile are beside it.
        noteRefusedStatsFile(path, tail.problem);
        path = rescueFileFor(path);
        tail = readStatsFileTail(path, kKeptLines - 1);
        if (tail.state == StatsFileState::refused)
            tail = StatsFileTail{}; // nothing to show rather than garbage
    }
    if (tail.state == StatsFileState::unreadable)
        return; // there but not readable just now (held by another program): keep showing what we had
    lineCount = clampedLineCount(tail.lineCount);
    if (tail.lineCount > 0)
        recentLines[0] = std::move(tail.header);
    newestLines_ = std::move(tail.newestLines);
    readRecentLines(std::move(path));
}

// Places the newest lines that loadStatsFile's pass found for this same file.
void Tallyglass::readRecentLines(std::filesystem::path) {
    int slot = 1;
    for (std::string& line : newestLines_)
        recentLines[static_cast<std::size_t>(slot++)] = std::move(line);
    newestLines_.clear();
    // Beyond this file's data lines lie those of a longer file read before (another player id, a file
    // started anew): they must be neither counted nor drawn.
    for (; slot < kKeptLines; ++slot) {
        recentLines[static_cast<std::size_t>(slot)].clear();
        emptyTableRow(slot);
    }
    refreshStatistics();
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
