#include "report/StatsFileRows.h"

#include "report/BatchQueue.h"
#include "report/FileLines.h"
#include "statsfile/RowReader.h"

#include <exception>
#include <fstream>
#include <system_error>
#include <thread>

namespace {

void checkIsRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw StatsFileError("no such file");
    if (error)
        throw StatsFileError("cannot be examined: " + error.message());
    if (std::filesystem::is_directory(status))
        throw StatsFileError("is a folder, not a stats file");
    if (!std::filesystem::is_regular_file(status))
        throw StatsFileError("is not a regular file (a device or a pipe?)");
}

// The reading thread's work: parses `in` into batches, one a block, and hands each over when full.
void parseIntoBatches(std::istream& in, BatchQueue& queue, std::int64_t now) {
    try {
        RowBatch* batch = queue.emptyBatch();
        if (!batch)
            return queue.finished(nullptr);
        BatchSink batchSink(batch);
        RowReader reader(batchSink, now);
        readLines(in, reader, [&] {
            queue.filled(batch);
            batch = queue.emptyBatch();
            return batch != nullptr;
        });
        if (batch)
            queue.filled(batch);
        queue.finished(nullptr);
    } catch (...) {
        queue.finished(std::current_exception());
    }
}

// Parses the file on its own thread, block by block, while the calling thread summarises the rows
// parsed before: on two cores the two halves of the work overlap. The sink is called from the calling
// thread only, in file order, exactly as a single pass would call it.
void readInParallel(std::istream& in, StatsRowSink& sink, std::int64_t now,
                    const std::function<bool()>& keepReading) {
    BatchQueue queue;
    std::thread reading([&] { parseIntoBatches(in, queue, now); });
    // However the summarising ends, the reading thread is stopped and joined before the queue goes.
    struct Join {
        BatchQueue& queue;
        std::thread& thread;
        ~Join() {
            queue.stop();
            thread.join();
        }
    } join{queue, reading};
    while (RowBatch* batch = queue.nextFilled()) {
        batch->handTo(sink);
        queue.emptied(batch);
        if (keepReading && !keepReading())
            return;
    }
}

} // namespace

void readStatsRows(const std::filesystem::path& file, StatsRowSink& sink, std::int64_t now,
                   const std::function<bool()>& keepReading) {
    checkIsRegularFile(file);
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        throw StatsFileError("cannot be opened for reading");
    readInParallel(in, sink, now, keepReading);
}
