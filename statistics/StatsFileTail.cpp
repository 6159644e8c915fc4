#include "statistics/StatsFileTail.h"

#include "statsfile/LineCutting.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>

namespace {

StatsFileState stateOfUnopenable(const std::filesystem::path& file) {
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    // When we cannot even tell, the file may well be there: treat it as there but unreadable.
    return !error && !exists ? StatsFileState::absent : StatsFileState::unreadable;
}

// Only a regular file has an end to count to: a device or a pipe in its place (/dev/zero, a FIFO) could
// be read forever. Such a path, or one that cannot be examined, is there but not readable.
std::optional<StatsFileState> stateOfIrregular(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return StatsFileState::absent;
    if (error || !std::filesystem::is_regular_file(status))
        return StatsFileState::unreadable;
    return std::nullopt;
}

std::size_t countLineFeeds(const char* begin, const char* end) {
    std::size_t count = 0;
    while (begin < end) {
        const void* found = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
        if (!found)
            break;
        ++count;
        begin = static_cast<const char*>(found) + 1;
    }
    return count;
}

// A line of `fullLength` bytes, of which `kept` holds the first bytes (all of them when it fits): drops
// the carriage returns of a CR LF end. A cut line lost its end anyway, so it has none to drop.
void dropCarriageReturn(std::string& kept, std::uint64_t fullLength) {
    if (kept.size() == fullLength)
        kept.resize(withoutCarriageReturns(kept).size());
}

// Reads blocks of the file backwards from a given end, to find where lines start.
class BackwardScanner {
public:
    // The buffer already holds the file's bytes from `windowStart` to `windowEnd`.
    BackwardScanner(std::ifstream& in, char* buffer, std::size_t bufferBytes, std::uint64_t windowStart,
                    std::uint64_t windowEnd)
        : in_(in)
        , buffer_(buffer)
        , bufferBytes_(bufferBytes)
        , windowStart_(windowStart)
        , windowEnd_(windowEnd) {}

    bool failed() const { return failed_; }

    // Offset of the last line feed before `end`, if there is one.
    std::optional<std::uint64_t> lastLineFeedBefore(std::uint64_t end) {
        while (end > 0 && !failed_) {
            if (end <= windowStart_ || end > windowEnd_)
                loadWindowEndingAt(end);
            if (failed_)
                break;
            for (std::uint64_t at = end; at > windowStart_; --at)
                if (buffer_[at - 1 - windowStart_] == '\n')
                    return at - 1;
            end = windowStart_;
        }
        return std::nullopt;
    }

    // The first `length` bytes from `start`, from the window when it holds them.
    std::string bytesAt(std::uint64_t start, std::size_t length) {
        if (start >= windowStart_ && start + length <= windowEnd_)
            return std::string(buffer_ + (start - windowStart_), length);
        std::string bytes(length, '\0');
        if (!readAt(start, bytes.data(), length))
            failed_ = true;
        return bytes;
    }

private:
    void loadWindowEndingAt(std::uint64_t end) {
        windowStart_ = end > bufferBytes_ ? end - bufferBytes_ : 0;
        windowEnd_ = end;
        if (!readAt(windowStart_, buffer_, static_cast<std::size_t>(windowEnd_ - windowStart_))) {
            failed_ = true;
            windowStart_ = windowEnd_ = 0;
        }
    }

    bool readAt(std::uint64_t start, char* into, std::size_t length) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(start));
        in_.read(into, static_cast<std::streamsize>(length));
        return !in_.bad() && in_.gcount() == static_cast<std::streamsize>(length);
    }

    std::ifstream& in_;
    char* buffer_;
    std::size_t bufferBytes_;
    std::uint64_t windowStart_;
    std::uint64_t windowEnd_;
    bool failed_ = false;
};

// Whether a file's lines can be counted at its line feeds, as they stand in its bytes: UTF-8 (or a code
// page) whose first line ends in LF or CR LF, or in nothing within the bytes that are looked at (a first
// line far too long, cut as the rest would be). Told by the first block, or by the first bytes of
// several small ones.
class FormProbe {
public:
    // Looks at the next bytes from the file's start; whether it has decided.
    bool look(std::string_view bytes, bool wholeFile) {
        if (held_.empty() && decide(bytes, wholeFile))
            return true;
        held_.append(bytes);
        return held_.size() > bytes.size() && decide(held_, wholeFile);
    }
    bool byLineFeeds() const { return byLineFeeds_; }

private:
    // The most bytes looked at for the first line's end.
    static constexpr std::size_t kLookedAtBytes = 64 * 1024;

    bool decide(std::string_view first, bool wholeFile) {
        const FirstBytesVerdict verdict = judgeFirstBytes(first, wholeFile);
        if (verdict.kind == FirstBytesVerdict::undecided && first.size() < kLookedAtBytes)
            return false;
        std::size_t resume = 0;
        const std::optional<LineEnd> lineEnd = firstLineEnd(first, 0, wholeFile, resume);
        if (!lineEnd && !wholeFile && first.size() < kLookedAtBytes)
            return false; // the first line end, or what follows a carriage return at the end, tells
        decided_ = true;
        byLineFeeds_ = verdict.kind == FirstBytesVerdict::text && verdict.encoding == TextEncoding::utf8 &&
                       lineEnd != LineEnd::cr;
        return true;
    }

    std::string held_;
    bool decided_ = false;
    bool byLineFeeds_ = false;
};

// What the forward pass found: the line feeds and bytes up to the end seen, the first line, and what
// the block still holds of the file's end.
struct ForwardCount {
    std::uint64_t lineFeeds = 0;
    std::uint64_t size = 0;
    std::string header;
    std::uint64_t headerLength = 0; // the first line's full length; `header` may hold less of it
    char lastByte = '\n';
    std::size_t lastBlockBytes = 0;
    bool byLineFeeds = true; // false: the file must be read through the line feeder instead
};

struct OpenedFile {
    std::ifstream in;
    std::uint64_t sizeAtOpen = 0;
};

// The file opened for a binary read, with its size at opening; none when it cannot be read now, with
// the reason in `state`.
std::optional<OpenedFile> openStatsFile(const std::filesystem::path& file, StatsFileState& state) {
    if (const std::optional<StatsFileState> irregular = stateOfIrregular(file)) {
        state = *irregular;
        return std::nullopt;
    }
    OpenedFile opened{std::ifstream(file, std::ios::binary)};
    if (!opened.in.is_open()) {
        state = stateOfUnopenable(file);
        return std::nullopt;
    }
    // Lines appended while we read are left for the next read, so the work is bounded by the size now.
    opened.in.seekg(0, std::ios::end);
    const std::streamoff size = opened.in.tellg();
    opened.in.seekg(0);
    if (size < 0 || !opened.in) {
        state = StatsFileState::unreadable;
        return std::nullopt;
    }
    opened.sizeAtOpen = static_cast<std::uint64_t>(size);
    return opened;
}

// Keeps the part of the first line that `block` holds, up to `keptLineBytes` in all. Returns whether
// the first line ended in this block.
bool keepHeaderPart(const char* begin, const char* end, std::size_t keptLineBytes, ForwardCount& count) {
    const void* lineFeed = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
    const char* headerEnd = lineFeed ? static_cast<const char*>(lineFeed) : end;
    const auto length = static_cast<std::size_t>(headerEnd - begin);
    const std::size_t room = keptLineBytes - std::min(keptLineBytes, count.header.size());
    count.header.append(begin, std::min(length, room));
    count.headerLength += length;
    return lineFeed != nullptr;
}

// Forward through the first `sizeAtOpen` bytes, block by block: counts the line feeds and keeps the
// beginning of the first line. False on a read error. Stops early, with `byLineFeeds` false, when the
// first bytes tell that line feeds do not cut the file's lines as they stand.
bool countForward(std::ifstream& in, char* block, std::size_t blockBytes, std::uint64_t sizeAtOpen,
                  std::size_t keptLineBytes, ForwardCount& count) {
    bool headerEnded = false;
    FormProbe probe;
    bool probed = false;
    std::uint64_t unread = sizeAtOpen;
    while (unread > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes, unread));
        in.read(block, static_cast<std::streamsize>(wanted));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        if (!probed) {
            probed = probe.look(std::string_view(block, got), got == unread || got < wanted);
            if (probed && !probe.byLineFeeds()) {
                count.byLineFeeds = false;
                return !in.bad();
            }
        }
        const char* end = block + got;
        if (!headerEnded)
            headerEnded = keepHeaderPart(block, end, keptLineBytes, count);
        count.lineFeeds += countLineFeeds(block, end);
        count.size += got;
        count.lastByte = end[-1];
        count.lastBlockBytes = got;
        unread -= got;
        if (got < wanted)
            break; // the file got shorter meanwhile: what was there is counted
    }
    return !in.bad();
}

// Backward from the end the count saw: the `wanted` newest lines, newest first. False when they cannot
// all be read (the file changed under us, or a read failed).
bool readNewestLines(std::ifstream& in, char* block, std::size_t blockBytes, const ForwardCount& count,
                     std::uint64_t wanted, std::size_t keptLineBytes, std::vector<std::string>& lines) {
    // The newest lines mostly lie in the block the count read last.
    BackwardScanner scanner(in, block, blockBytes, count.size - count.lastBlockBytes, count.size);
    std::uint64_t lineEnd = count.lastByte == '\n' ? count.size - (count.size > 0 ? 1 : 0) : count.size;
    lines.reserve(static_cast<std::size_t>(wanted));
    for (std::uint64_t taken = 0; taken < wanted; ++taken) {
        const std::optional<std::uint64_t> lineFeed = scanner.lastLineFeedBefore(lineEnd);
        if (!lineFeed)
            return false;
        const std::uint64_t start = *lineFeed + 1;
        const std::uint64_t length = lineEnd - start;
        std::string line =
            scanner.bytesAt(start, static_cast<std::size_t>(std::min<std::uint64_t>(length, keptLineBytes)));
        dropCarriageReturn(line, length);
        lines.push_back(std::move(line));
        lineEnd = *lineFeed;
    }
    return !scanner.failed();
}

// The lines of a file read through the line feeder: counted, the first kept as the header and the
// newest ones in a ring.
class KeptLines {
public:
    KeptLines(std::size_t wanted, std::size_t keptLineBytes)
        : ring_(wanted)
        , keptLineBytes_(keptLineBytes) {}

    void line(std::string_view text) {
        text = text.substr(0, keptLineBytes_);
        if (count_++ == 0) {
            header_.assign(text);
        } else if (!ring_.empty()) {
            ring_[next_].assign(text);
            next_ = (next_ + 1) % ring_.size();
        }
    }
    void tooLong() { line({}); }

    // Into `tail`: the count, the header and the newest lines, newest first.
    void into(StatsFileTail& tail) {
        tail.lineCount = count_;
        tail.header = std::move(header_);
        const std::size_t kept =
            static_cast<std::size_t>(std::min<std::uint64_t>(count_ > 0 ? count_ - 1 : 0, ring_.size()));
        tail.newestLines.clear();
        for (std::size_t back = 1; back <= kept; ++back)
            tail.newestLines.push_back(std::move(ring_[(next_ + ring_.size() - back) % ring_.size()]));
    }

private:
    std::vector<std::string> ring_;
    std::size_t keptLineBytes_;
    std::size_t next_ = 0;
    std::uint64_t count_ = 0;
    std::string header_;
};

// The whole file from its start through the line feeder: a UTF-16 file, a file of CR line ends, or one
// that is no text.
void readThroughLineFeeder(std::ifstream& in, char* block, std::size_t blockBytes, std::uint64_t sizeAtOpen,
                           std::size_t wanted, std::size_t keptLineBytes, StatsFileTail& tail) {
    KeptLines kept(wanted, keptLineBytes);
    BasicLineFeeder<KeptLines> feeder(kept);
    in.clear();
    in.seekg(0);
    try {
        std::uint64_t unread = sizeAtOpen;
        while (unread > 0) {
            const auto wantedBytes = static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes, unread));
            in.read(block, static_cast<std::streamsize>(wantedBytes));
            const auto got = static_cast<std::size_t>(in.gcount());
            if (got == 0)
                break;
            feeder.feed(std::string_view(block, got));
            unread -= got;
        }
        if (in.bad()) {
            tail.state = StatsFileState::unreadable;
            return;
        }
        feeder.unfinishedAsLine();
    } catch (const StatsFileError& refusal) {
        tail.state = StatsFileState::refused;
        tail.problem = refusal.what();
        return;
    }
    kept.into(tail);
    tail.state = StatsFileState::read;
}

} // namespace

StatsFileTail readStatsFileTail(const std::filesystem::path& file, std::size_t wantedNewest,
                                std::size_t blockBytes, std::size_t keptLineBytes) {
    StatsFileTail tail;
    std::optional<OpenedFile> opened = openStatsFile(file, tail.state);
    if (!opened)
        return tail;
    // A small file needs no large block: allocating and touching one would cost more than the reading.
    blockBytes = static_cast<std::size_t>(
        std::clamp<std::uint64_t>(opened->sizeAtOpen, 1, std::max<std::size_t>(blockBytes, 1)));
    const auto block = std::make_unique_for_overwrite<char[]>(blockBytes);

    ForwardCount count;
    if (!countForward(opened->in, block.get(), blockBytes, opened->sizeAtOpen, keptLineBytes, count)) {
        tail.state = StatsFileState::unreadable;
        return tail;
    }
    if (!count.byLineFeeds) {
        readThroughLineFeeder(opened->in, block.get(), blockBytes, opened->sizeAtOpen, wantedNewest,
                              keptLineBytes, tail);
        return tail;
    }
    dropCarriageReturn(count.header, count.headerLength);
    tail.header = std::move(count.header);
    tail.lineCount = count.lineFeeds + (count.lastByte != '\n' ? 1 : 0);

    // The header is never among the newest lines, as at most lineCount - 1 lines are taken.
    const std::uint64_t wanted =
        tail.lineCount > 0 ? std::min<std::uint64_t>(tail.lineCount - 1, wantedNewest) : 0;
    if (!readNewestLines(opened->in, block.get(), blockBytes, count, wanted, keptLineBytes,
                         tail.newestLines)) {
        tail.newestLines.clear();
        tail.state = StatsFileState::unreadable;
        return tail;
    }
    tail.state = StatsFileState::read;
    return tail;
}
