// Loads the stats file's header and newest lines into recentLines, then hands them to the statistics
// (statistics/Statistics.cpp), which split and average them.
#include "plugin/Tallyglass.h"
#include "statistics/StatsFileTail.h"
#include "statsfile/FileName.h"

#include <algorithm>
#include <limits>

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
    for (; slot < kKeptLines; ++slot)
        recentLines[static_cast<std::size_t>(slot)].clear();
    refreshStatistics();
}
