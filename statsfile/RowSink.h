// Where a reading of a stats file's rows goes: each match, or each line that is no match and why, in
// file order; and the error of a file that cannot be read as a stats file at all.
#pragma once

#include "statsfile/MatchRecord.h"
#include "statsfile/StatsFileError.h"

#include <cstdint>
#include <string>

// Receives the rows in file order.
class StatsRowSink {
public:
    virtual ~StatsRowSink() = default;
    virtual void match(const MatchRecord& match) = 0;
    // A line that is no match: why, in a few words.
    virtual void skipped(std::uint64_t line, const std::string& reason) = 0;
};
