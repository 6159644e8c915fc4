// Reads a stats file from start to end, one row at a time, finding every column by the header's names,
// so a file whose columns a spreadsheet reordered reads the same. The file is streamed in blocks: memory
// does not grow with its length. The blocks are parsed on a thread of its own while the rows before are
// handed on; the sink is called on the calling thread only, in file order.
#pragma once

#include "statsfile/RowSink.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Throws StatsFileError when the file cannot be read as a stats file. A row whose cells do not convert
// is skipped and reported; a further header line is reported too, and the rows after it are read by its
// names. The file's text is read in its own form (UTF-8 or UTF-16; LF, CR LF or CR); a file that is no
// such text (a workbook saved under its name) is a StatsFileError saying what it is. `now`: the moment
// after which no match time is believed (statsfile/PlausibleTime.h). `keepReading`, when given, is asked
// after each block's rows: false ends the reading there, without an error.
void readStatsRows(const std::filesystem::path& file, StatsRowSink& sink, std::int64_t now,
                   const std::function<bool()>& keepReading = {});
