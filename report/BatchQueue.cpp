#include "report/BatchQueue.h"

#include <utility>

BatchQueue::BatchQueue() {
    for (RowBatch& batch : batches_)
        spare_.push_back(&batch);
}

template <typename Change> void BatchQueue::change(Change apply) {
    {
        const std::lock_guard lock(mutex_);
        apply();
    }
    changed_.notify_all();
}

RowBatch* BatchQueue::emptyBatch() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || !spare_.empty(); });
    if (stopped_)
        return nullptr;
    RowBatch* batch = spare_.back();
    spare_.pop_back();
    batch->clear();
    return batch;
}

void BatchQueue::filled(RowBatch* batch) {
    change([&] { full_.push_back(batch); });
}

void BatchQueue::finished(std::exception_ptr failure) {
    change([&] {
        done_ = true;
        failure_ = std::move(failure);
    });
}

RowBatch* BatchQueue::nextFilled() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ || !full_.empty(); });
    if (!full_.empty()) {
        RowBatch* batch = full_.front();
        full_.pop_front();
        return batch;
    }
    if (failure_)
        std::rethrow_exception(failure_);
    return nullptr;
}

void BatchQueue::emptied(RowBatch* batch) {
    change([&] { spare_.push_back(batch); });
}

void BatchQueue::stop() {
    change([&] { stopped_ = true; });
}
