#include "report/StatsFileRows.h"

#include "recording/StatsFileColumns.h"
#include "statistics/CellConversion.h"
#include "statistics/FieldSplit.h"

#include <array>
#include <bit>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kBlockBytes = 128 * 1024;
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
// Beyond this, a time is no date a browser can show.
constexpr std::uint64_t kLatestTime = 8'640'000'000'000ULL;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Only the written date text is not read: the report shows times from the Time column.
constexpr bool isRequired(StatsColumn column) {
    return column != StatsColumn::Timestamp;
}

// The position of each column within a line, as a header names them.
struct ColumnLayout {
    std::array<std::size_t, kStatsColumnCount> position{};
    std::size_t fieldCount = 0;
    std::string missing; // the names of required columns the header lacks, comma separated

    std::size_t of(StatsColumn column) const { return position[writtenPosition(column)]; }
};

ColumnLayout layoutOf(std::string_view header) {
    ColumnLayout layout;
    layout.position.fill(kAbsent);
    if (header.starts_with(kUtf8ByteOrderMark))
        header.remove_prefix(kUtf8ByteOrderMark.size());
    std::size_t index = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = header.find(',', start);
        const std::string_view name =
            header.substr(start, comma == std::string_view::npos ? header.npos : comma - start);
        if (const std::optional<StatsColumn> column = columnNamed(name))
            layout.position[writtenPosition(*column)] = index; // a name given twice: the later one counts
        ++index;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    layout.fieldCount = index;
    for (const StatsColumnDescription& description : kStatsColumns) {
        if (isRequired(description.column) &&
            layout.position[writtenPosition(description.column)] == kAbsent) {
            if (!layout.missing.empty())
                layout.missing += ", ";
            layout.missing += description.name;
        }
    }
    return layout;
}

// The plain cells the plugin writes, a few digits, are converted directly; any other cell goes through
// the plugin's own conversion, whose rules decide. Both give the same value for a plain cell.
inline bool integerOf(std::string_view cell, std::int32_t& value) {
    if (!cell.empty() && cell.size() <= 9) {
        std::uint32_t digits = 0;
        std::size_t at = 0;
        for (; at < cell.size(); ++at) {
            const auto digit = static_cast<std::uint32_t>(static_cast<unsigned char>(cell[at])) - '0';
            if (digit > 9)
                break;
            digits = digits * 10 + digit;
        }
        if (at == cell.size()) {
            value = static_cast<std::int32_t>(digits);
            return true;
        }
    }
    const std::optional<std::int32_t> converted = cellToInt(cell);
    value = converted.value_or(0);
    return converted.has_value();
}

std::optional<std::uint64_t> timeOf(std::string_view cell) {
    if (cell.empty() || cell.size() > 19)
        return cellToTime(cell);
    std::uint64_t value = 0;
    for (const char c : cell) {
        if (c < '0' || c > '9')
            return cellToTime(cell);
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The positions of the commas in `text`, looked for eight bytes at a time: reading rows runs at close to
// the speed of reading the file. Stops after `most` + 1 commas and returns how many it found.
std::size_t commaPositions(std::string_view text, std::size_t* positions, std::size_t most) {
    std::size_t count = 0;
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kCommas = 0x2C2C2C2C2C2C2C2CULL;
        constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        for (; at + 8 <= text.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + at, 8);
            const std::uint64_t x = word ^ kCommas; // a comma's byte is now zero
            // The high bit of each zero byte, exactly: no carry crosses from one byte into the next.
            std::uint64_t marks = ~(((x & kLow7) + kLow7) | x | kLow7);
            while (marks != 0) {
                if (count > most)
                    return count;
                positions[count++] = at + static_cast<std::size_t>(std::countr_zero(marks) >> 3);
                marks &= marks - 1;
            }
        }
    }
    for (; at < text.size() && count <= most; ++at)
        if (text[at] == ',')
            positions[count++] = at;
    return count;
}

// The plain digits at `at`: their value, and `at` moved past them. False when there are none or more
// than `most` (whose value is then not exact).
inline bool plainNumber(const char*& at, const char* end, std::size_t most, std::uint64_t& value) {
    const char* const start = at;
    value = 0;
    std::uint64_t digit = 0;
    while (at < end && (digit = static_cast<std::uint64_t>(static_cast<unsigned char>(*at)) - '0') <= 9) {
        value = value * 10 + digit;
        ++at;
    }
    return at != start && static_cast<std::size_t>(at - start) <= most;
}

// A cell as it stands, cut short, for a message.
std::string quoted(std::string_view cell) {
    constexpr std::size_t kShown = 24;
    std::string text = "\"";
    text.append(cell.substr(0, kShown));
    if (cell.size() > kShown)
        text += "...";
    return text + "\"";
}

struct IntegerColumn {
    StatsColumn column;
    std::int32_t MatchRecord::*value;
};

constexpr std::array<IntegerColumn, 9> kIntegerColumns{{
    {StatsColumn::Mmr, &MatchRecord::rating},
    {StatsColumn::MyTeamGoals, &MatchRecord::myTeamGoals},
    {StatsColumn::OtherTeamGoals, &MatchRecord::otherTeamGoals},
    {StatsColumn::Points, &MatchRecord::points},
    {StatsColumn::Goals, &MatchRecord::goals},
    {StatsColumn::Assists, &MatchRecord::assists},
    {StatsColumn::Saves, &MatchRecord::saves},
    {StatsColumn::Shots, &MatchRecord::shots},
    {StatsColumn::Demos, &MatchRecord::demos},
}};

// The whole-number columns in the order a plain line's one pass keeps them: those of kIntegerColumns,
// then the three flags.
constexpr std::array<StatsColumn, kIntegerColumns.size() + 3> kNumberColumns = [] {
    std::array<StatsColumn, kIntegerColumns.size() + 3> columns{};
    for (std::size_t slot = 0; slot < kIntegerColumns.size(); ++slot)
        columns[slot] = kIntegerColumns[slot].column;
    columns[kIntegerColumns.size()] = StatsColumn::Win;
    columns[kIntegerColumns.size() + 1] = StatsColumn::Ranked;
    columns[kIntegerColumns.size() + 2] = StatsColumn::Mvp;
    return columns;
}();
constexpr std::size_t kWinSlot = kIntegerColumns.size();
constexpr std::size_t kRankedSlot = kWinSlot + 1;
constexpr std::size_t kMvpSlot = kWinSlot + 2;

struct FieldRole {
    enum Kind : std::uint8_t { Skip, Number, Time, Title } kind;
    std::size_t slot; // into kNumberColumns, for a Number
};

class RowReader {
public:
    explicit RowReader(StatsRowSink& sink)
        : sink_(sink) {}

    // One line without its line end.
    void line(std::string_view text) {
        ++lineNumber_;
        if (lineNumber_ == 1)
            return header(text);
        if (text.empty())
            return sink_.skipped(lineNumber_, "empty line");
        if (readPlain(text)) {
            match_.line = lineNumber_;
            return sink_.match(match_);
        }
        const std::size_t count = split(text);
        // Cells a short line does not reach are empty: they fail to convert below, unless the column is
        // the playlist title, which may be empty.
        for (std::size_t position = count; position < fields_.size(); ++position)
            fields_[position] = {};
        std::string reason;
        if (!convert(reason)) {
            const ColumnLayout repeated = layoutOf(text);
            if (repeated.missing.empty()) {
                adopt(repeated);
                return sink_.skipped(lineNumber_, "header line repeated");
            }
            return sink_.skipped(lineNumber_, reason);
        }
        match_.line = lineNumber_;
        sink_.match(match_);
    }

    void tooLong() {
        ++lineNumber_;
        if (lineNumber_ == 1)
            throw StatsFileError("the first line is far too long to be a stats-file header");
        sink_.skipped(lineNumber_, "line longer than 64 KiB");
    }

    void finish() {
        if (lineNumber_ == 0)
            throw StatsFileError("the file is empty: it has no header line");
    }

private:
    void header(std::string_view text) {
        ColumnLayout layout = layoutOf(text);
        if (!layout.missing.empty())
            throw StatsFileError("the first line is not a stats-file header: it lacks the column" +
                                 std::string(layout.missing.find(',') == std::string::npos ? " " : "s ") +
                                 layout.missing);
        adopt(layout);
    }

    void adopt(const ColumnLayout& layout) {
        layout_ = layout;
        fields_.assign(layout_.fieldCount, std::string_view());
        commas_.assign(layout_.fieldCount + 1, 0);
        roles_.assign(layout_.fieldCount, FieldRole{FieldRole::Skip, 0});
        for (std::size_t slot = 0; slot < kNumberColumns.size(); ++slot)
            roles_[layout_.of(kNumberColumns[slot])] = FieldRole{FieldRole::Number, slot};
        roles_[layout_.of(StatsColumn::Time)] = FieldRole{FieldRole::Time, 0};
        roles_[layout_.of(StatsColumn::Playlist)] = FieldRole{FieldRole::Title, 0};
    }

    // The line as the plugin writes it, read in one pass that splits and converts together: every
    // number a few plain digits, the header's number of fields, nothing at the end. Any other line is
    // left to split() and convert(), whose rules decide; for a plain line both give the same match.
    bool readPlain(std::string_view text) {
        const char* at = text.data();
        const char* const end = at + text.size();
        const std::size_t last = roles_.size() - 1;
        for (std::size_t field = 0;; ++field) {
            const char* const start = at;
            switch (roles_[field].kind) {
            case FieldRole::Number: {
                std::uint64_t value = 0;
                if (!plainNumber(at, end, 9, value))
                    return false;
                numbers_[roles_[field].slot] = static_cast<std::int32_t>(value);
                break;
            }
            case FieldRole::Time: {
                std::uint64_t value = 0;
                if (!plainNumber(at, end, 19, value) || value > kLatestTime)
                    return false;
                match_.time = static_cast<std::int64_t>(value);
                break;
            }
            case FieldRole::Title:
            case FieldRole::Skip: {
                const auto* comma =
                    static_cast<const char*>(std::memchr(at, ',', static_cast<std::size_t>(end - at)));
                at = comma ? comma : end;
                if (roles_[field].kind == FieldRole::Title)
                    match_.playlist = std::string_view(start, static_cast<std::size_t>(at - start));
                break;
            }
            }
            if (field == last)
                break;
            if (at == end || *at != ',')
                return false;
            ++at;
        }
        if (at != end || at == text.data() || at[-1] == ',')
            return false;
        const std::int32_t win = numbers_[kWinSlot];
        if (win != 0 && win != 1)
            return false;
        for (std::size_t slot = 0; slot < kIntegerColumns.size(); ++slot)
            match_.*kIntegerColumns[slot].value = numbers_[slot];
        match_.win = win == 1;
        match_.ranked = numbers_[kRankedSlot] != 0;
        match_.mvp = numbers_[kMvpSlot] != 0;
        return true;
    }

    std::string_view cell(StatsColumn column) const { return fields_[layout_.of(column)]; }

    // A line with exactly the header's number of fields, as nearly every line is, is split here at once;
    // any other goes to the plugin's splitting, which re-joins a title holding commas.
    std::size_t split(std::string_view text) {
        const std::size_t wanted = fields_.size();
        const std::size_t commas = commaPositions(text, commas_.data(), wanted - 1);
        if (commas + 1 != wanted || commas_[commas - 1] + 1 == text.size())
            return splitFields(text, fields_, layout_.of(StatsColumn::Playlist));
        std::size_t start = 0;
        for (std::size_t field = 0; field < commas; ++field) {
            fields_[field] = text.substr(start, commas_[field] - start);
            start = commas_[field] + 1;
        }
        fields_[commas] = text.substr(start);
        return wanted;
    }

    bool convert(std::string& reason) {
        const std::string_view timeCell = cell(StatsColumn::Time);
        const std::optional<std::uint64_t> time = timeOf(timeCell);
        if (!time || *time > kLatestTime) {
            reason = std::string(time ? "Time out of range: " : "Time is not a number: ") + quoted(timeCell);
            return false;
        }
        match_.time = static_cast<std::int64_t>(*time);
        for (const IntegerColumn& column : kIntegerColumns) {
            if (!integerOf(cell(column.column), match_.*column.value)) {
                reason = std::string(columnName(column.column)) +
                         " is not a number: " + quoted(cell(column.column));
                return false;
            }
        }
        std::int32_t win = 0;
        if (!integerOf(cell(StatsColumn::Win), win) || (win != 0 && win != 1)) {
            reason = "Win is neither 0 nor 1: " + quoted(cell(StatsColumn::Win));
            return false;
        }
        std::int32_t ranked = 0;
        std::int32_t mvp = 0;
        for (const auto& [column, flag] :
             {std::pair{StatsColumn::Ranked, &ranked}, std::pair{StatsColumn::Mvp, &mvp}}) {
            if (!integerOf(cell(column), *flag)) {
                reason = std::string(columnName(column)) + " is not a number: " + quoted(cell(column));
                return false;
            }
        }
        match_.win = win == 1;
        match_.ranked = ranked != 0;
        match_.mvp = mvp != 0;
        match_.playlist = cell(StatsColumn::Playlist);
        return true;
    }

    StatsRowSink& sink_;
    std::uint64_t lineNumber_ = 0;
    ColumnLayout layout_;
    std::vector<std::string_view> fields_;
    std::vector<std::size_t> commas_;
    std::vector<FieldRole> roles_; // what each field of a line holds, by the header
    std::array<std::int32_t, kNumberColumns.size()> numbers_{};
    MatchRecord match_;
};

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

std::string_view withoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Reads the lines of `in` into `reader`, calling `afterBlock` after each block's whole lines; stops
// early when it returns false.
template <typename AfterBlock> void readLines(std::ifstream& in, RowReader& reader, AfterBlock afterBlock) {
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    std::string carried; // the start of a line that runs past a block's end
    bool carriedTooLong = false;
    for (;;) {
        in.read(block.get(), static_cast<std::streamsize>(kBlockBytes));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad())
            throw StatsFileError("could not be read to its end");
        if (got == 0)
            break;
        const char* at = block.get();
        const char* const end = at + got;
        while (at < end) {
            const auto* lineFeed =
                static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            const char* const lineEnd = lineFeed ? lineFeed : end;
            const std::string_view piece(at, static_cast<std::size_t>(lineEnd - at));
            if (!lineFeed) {
                if (!carriedTooLong && carried.size() + piece.size() <= kLongestRowBytes + 1)
                    carried.append(piece);
                else
                    carriedTooLong = true, carried.clear();
                break;
            }
            if (carriedTooLong) {
                reader.tooLong();
            } else if (!carried.empty()) {
                carried.append(piece);
                if (carried.size() > kLongestRowBytes + 1)
                    reader.tooLong();
                else
                    reader.line(withoutCarriageReturn(carried));
            } else if (piece.size() > kLongestRowBytes + 1) {
                reader.tooLong();
            } else {
                reader.line(withoutCarriageReturn(piece));
            }
            carried.clear();
            carriedTooLong = false;
            at = lineFeed + 1;
        }
        if (!afterBlock())
            return;
    }
    // A last line without a line feed is a line too.
    if (carriedTooLong)
        reader.tooLong();
    else if (!carried.empty())
        reader.line(withoutCarriageReturn(carried));
    reader.finish();
}

// The rows of one block, held until the summarising thread hands them on in the same order.
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

    void clear() {
        matches.clear();
        titleSpans.clear();
        titles.clear();
        skipped.clear();
    }

    void handTo(StatsRowSink& sink) {
        const std::string_view allTitles(titles);
        std::size_t next = 0;
        const auto handMatchesUpTo = [&](std::size_t end) {
            for (; next < end; ++next) {
                MatchRecord& match = matches[next];
                match.playlist = allTitles.substr(titleSpans[next].start, titleSpans[next].size);
                sink.match(match);
            }
        };
        for (const Skipped& row : skipped) {
            handMatchesUpTo(row.matchesBefore);
            sink.skipped(row.line, row.reason);
        }
        handMatchesUpTo(matches.size());
    }
};

// Fills a batch as the reading thread parses rows. The titles are copied: the block they point into is
// overwritten by the next read.
class BatchSink final : public StatsRowSink {
public:
    explicit BatchSink(RowBatch*& batch)
        : batch_(batch) {}

    void match(const MatchRecord& match) override {
        RowBatch& batch = *batch_;
        batch.titleSpans.push_back(RowBatch::Title{batch.titles.size(), match.playlist.size()});
        batch.titles.append(match.playlist);
        batch.matches.push_back(match);
        batch.matches.back().playlist = {};
    }
    void skipped(std::uint64_t line, const std::string& reason) override {
        batch_->skipped.push_back(RowBatch::Skipped{batch_->matches.size(), line, reason});
    }

private:
    RowBatch*& batch_;
};

// Batches passed from the reading thread to the summarising one, a few at most in flight, so memory
// stays bounded; emptied batches go back for reuse. The reading thread's failure ends the hand-over and
// is thrown again in the summarising thread; the summarising thread's failure stops the reading one.
class BatchQueue {
public:
    static constexpr std::size_t kInFlight = 3;

    BatchQueue() {
        for (RowBatch& batch : batches_)
            spare_.push_back(&batch);
    }

    // Reading side: an empty batch to fill, or null when the reading should stop.
    RowBatch* emptyBatch() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || !spare_.empty(); });
        if (stopped_)
            return nullptr;
        RowBatch* batch = spare_.back();
        spare_.pop_back();
        batch->clear();
        return batch;
    }
    void filled(RowBatch* batch) {
        {
            const std::lock_guard lock(mutex_);
            full_.push_back(batch);
        }
        changed_.notify_all();
    }
    void finished(std::exception_ptr failure) {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
            failure_ = std::move(failure);
        }
        changed_.notify_all();
    }

    // Summarising side: the next filled batch, or null after the last; throws the reading side's failure.
    RowBatch* nextFilled() {
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
    void emptied(RowBatch* batch) {
        {
            const std::lock_guard lock(mutex_);
            spare_.push_back(batch);
        }
        changed_.notify_all();
    }
    void stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::array<RowBatch, kInFlight> batches_;
    std::vector<RowBatch*> spare_;
    std::deque<RowBatch*> full_;
    bool done_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

// Parses the file on its own thread, block by block, while the calling thread summarises the rows
// parsed before: on two cores the two halves of the work overlap. The sink is called from the calling
// thread only, in file order, exactly as a single pass would call it.
void readInParallel(std::ifstream& in, StatsRowSink& sink) {
    BatchQueue queue;
    std::thread reading([&] {
        try {
            RowBatch* batch = queue.emptyBatch();
            if (!batch)
                return queue.finished(nullptr);
            BatchSink batchSink(batch);
            RowReader reader(batchSink);
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
    });
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
    }
}

} // namespace

void readStatsRows(const std::filesystem::path& file, StatsRowSink& sink) {
    checkIsRegularFile(file);
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        throw StatsFileError("cannot be opened for reading");
    readInParallel(in, sink);
}
