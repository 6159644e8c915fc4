// Batches of rows passed from the reading thread to the summarising one, a few at most in flight, so
// memory stays bounded; emptied batches go back for reuse. The reading thread's failure ends the
// hand-over and is thrown again in the summarising thread; the summarising thread's failure stops the
// reading one.
#pragma once

#include "report/RowBatch.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <vector>

class BatchQueue {
public:
    static constexpr std::size_t kInFlight = 3;

    BatchQueue();

    // Reading side: an empty batch to fill, or null when the reading should stop.
    RowBatch* emptyBatch();
    void filled(RowBatch* batch);
    // The reading ends: after the last batch, or with its failure.
    void finished(std::exception_ptr failure);

    // Summarising side: the next filled batch, or null after the last; throws the reading side's failure.
    RowBatch* nextFilled();
    void emptied(RowBatch* batch);
    // The summarising ends, whether or not it read every batch: the reading side stops.
    void stop();

private:
    // Changes the queue's state under its lock, then wakes the other side.
    template <typename Change> void change(Change apply);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::array<RowBatch, kInFlight> batches_;
    std::vector<RowBatch*> spare_;
    std::deque<RowBatch*> full_;
    bool done_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};
