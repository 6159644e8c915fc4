// Reads a stats file from start to end, one row at a time, finding every column by the header's names,
// so a file whose columns a spreadsheet reordered reads the same. The file is streamed in blocks: memory
// does not grow with its length. The blocks are parsed on a thread of its own while the rows before are
// handed on; the sink is called on the calling thread only, in file order.
#pragma once

#include "report/MatchRecord.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

// The file cannot be read as a stats file at all: missing, a folder or device, unreadable, no header.
class StatsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Receives the rows in file order.
class StatsRowSink {
public:
    virtual ~StatsRowSink() = default;
    virtual void match(const MatchRecord& match) = 0;
    // A line that is no match: why, in a few words.
    virtual void skipped(std::uint64_t line, const std::string& reason) = 0;
};

// Lines longer than this are damage; they are skipped without being held.
inline constexpr std::size_t kLongestRowBytes = 64 * 1024;

// Throws StatsFileError when the file cannot be read as a stats file. A row whose cells do not convert
// is skipped and reported; a further header line is reported too, and the rows after it are read by its
// names. CR LF and LF line ends read alike.
void readStatsRows(const std::filesystem::path& file, StatsRowSink& sink);
