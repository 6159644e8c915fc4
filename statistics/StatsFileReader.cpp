// Reads the stats file's header and newest lines back, and splits them into fields.
#include "plugin/Tallyglass.h"
#include "statsfile/FieldSplit.h"
#include "statistics/StatisticPositions.h"
#include "statistics/StatsFileTail.h"

#include <algorithm>
#include <limits>
#include <string_view>

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

void Tallyglass::splitRecentLines() {
    std::array<std::string_view, kFieldsPerLine> fields;
    // Only a playlist title can hold commas: a data line's surplus fields belong to it. The header has
    // none to give back, so a surplus of names there is dropped.
    std::size_t playlistPosition = kWrittenPlaylistPosition;
    for (std::size_t row = 0; row < kKeptLines; ++row) {
        const std::size_t joinPosition = row == 0 ? fields.size() : playlistPosition;
        const std::size_t count = splitFields(recentLines[row], fields, joinPosition);
        if (row == 0) {
            const auto named = std::find(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(count),
                                         columnName(StatsColumn::Playlist));
            if (named != fields.begin() + static_cast<std::ptrdiff_t>(count))
                playlistPosition = static_cast<std::size_t>(named - fields.begin());
        }
        // A cell the line does not reach is emptied, so that no field of another line shows in this row;
        // a statistic gets the "null" mark that keeps the row out of the averages.
        for (std::size_t position = 0; position < fields.size(); ++position) {
            std::string& cell = lineFields[row * kFieldsPerLine + position];
            if (position < count)
                cell.assign(fields[position]);
            else if (isStatisticPosition(position))
                cell.assign(kMissingStatistic);
            else
                cell.clear();
        }
    }
}

void Tallyglass::buildColumnIndex() {
    for (std::int32_t position = 0; position < kFieldsPerLine; ++position)
        columnIndex[lineFields[static_cast<std::size_t>(position)]] = position;
}

int Tallyglass::columnPosition(const std::string& name) {
    return columnIndex.try_emplace(name, 0).first->second;
}
