// The rows of one block of a stats file, parsed on the reading thread and held until the summarising
// thread hands them on in the same order.
#pragma once

#include "report/StatsFileRows.h"
#include "statsfile/MatchRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RowBatch {
    struct Title {
        std::size_t start;
        std::size_t size;
    };
    struct Skipped {
        std::size_t matchesBefore; // how many of this batch's matches come before it
        std::uint64_t line;
        std::string reason;
    };
    std::vector<MatchRecord> matches; // without their playlist views: the titles are in `titles`
    std::vector<Title> titleSpans;
    std::string titles;
    std::vector<Skipped> skipped;

    void clear();
    // The matches and skipped lines to `sink`, in the order they were read.
    void handTo(StatsRowSink& sink);
};

// Fills a batch as the reading thread parses rows. The titles are copied: the block they point into is
// overwritten by the next read.
class BatchSink final : public StatsRowSink {
public:
    // `batch` is the batch being filled: the reading thread points it at the next one.
    explicit BatchSink(RowBatch*& batch)
        : batch_(batch) {}

    void match(const MatchRecord& match) override;
    void skipped(std::uint64_t line, const std::string& reason) override;

private:
    RowBatch*& batch_;
};
