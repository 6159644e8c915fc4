// Reads what the statistics need of a stats file in one pass over it: the number of lines, the first
// line (the header) and the newest lines, without ever holding more than one block and a few capped
// lines in memory, however long the file or any of its lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// What is kept of one line at most. Rows the plugin writes are about 80 bytes; anything this long is
// damage, and keeping its beginning is enough to show it.
inline constexpr std::size_t kKeptLineBytes = 4096;
// Bytes read at a time while counting; large enough that counting runs at memory speed.
inline constexpr std::size_t kCountBlockBytes = 256 * 1024;

enum class StatsFileState {
    read,       // the file was read to its end
    absent,     // there is no such file (nor perhaps its folder)
    unreadable, // the file exists but cannot be opened or read at the moment
    refused,    // the file is no text the layout rule reads (a workbook saved under its name)
};

struct StatsFileTail {
    StatsFileState state = StatsFileState::absent;
    // Every line counts: an empty one, and a last one without a line feed. An empty file has none.
    std::uint64_t lineCount = 0;
    std::string header; // the first line; empty when the file has no line
    // The newest lines after the header, newest first: min(lineCount - 1, wanted) of them.
    std::vector<std::string> newestLines;
    std::string problem; // for a refused file: what it is instead, and what to do
};

// Lines are cut as statsfile/LineCutting.h cuts them: at each line feed, the carriage returns before it
// dropped, so CR LF and LF files read alike; in a file whose first line ends in CR alone, at each CR, LF
// or CR LF. A UTF-16 file's lines are decoded into UTF-8. Each kept line is cut to its first
// `keptLineBytes` bytes (of a line longer than kLongestRowBytes in a UTF-16 or CR file, none).
StatsFileTail readStatsFileTail(const std::filesystem::path& file, std::size_t wantedNewest,
                                std::size_t blockBytes = kCountBlockBytes,
                                std::size_t keptLineBytes = kKeptLineBytes);
