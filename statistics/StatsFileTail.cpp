#include "statistics/StatsFileTail.h"

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
// the carriage return of a CR LF end. A cut line lost its end anyway, so it has none to drop.
void dropCarriageReturn(std::string& kept, std::uint64_t fullLength) {
    if (kept.size() == fullLength && !kept.empty() && kept.back() == '\r')
        kept.pop_back();
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

} // namespace

StatsFileTail readStatsFileTail(const std::filesystem::path& file, std::size_t wantedNewest,
                                std::size_t blockBytes, std::size_t keptLineBytes) {
    StatsFileTail tail;
    blockBytes = std::max<std::size_t>(blockBytes, 1);

    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        tail.state = stateOfUnopenable(file);
        return tail;
    }
    // A small file needs no large block: allocating and touching one would cost more than the reading.
    in.seekg(0, std::ios::end);
    const std::streamoff knownSize = in.tellg();
    in.seekg(0);
    if (knownSize >= 0)
        blockBytes = static_cast<std::size_t>(
            std::min<std::uint64_t>(blockBytes, static_cast<std::uint64_t>(knownSize) + 1));
    const auto block = std::make_unique_for_overwrite<char[]>(blockBytes);

    // Forward: count the line feeds block by block and keep the beginning of the first line.
    std::uint64_t lineFeeds = 0;
    std::uint64_t size = 0;
    std::uint64_t headerLength = 0;
    bool headerEnded = false;
    char lastByte = '\n';
    std::size_t lastBlockBytes = 0; // what the block still holds: the end of the file
    while (true) {
        in.read(block.get(), static_cast<std::streamsize>(blockBytes));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        const char* begin = block.get();
        const char* end = begin + got;
        if (!headerEnded) {
            const void* lineFeed = std::memchr(begin, '\n', got);
            const char* headerEnd = lineFeed ? static_cast<const char*>(lineFeed) : end;
            const auto length = static_cast<std::size_t>(headerEnd - begin);
            const std::size_t room = keptLineBytes - std::min(keptLineBytes, tail.header.size());
            tail.header.append(begin, std::min(length, room));
            headerLength += length;
            headerEnded = lineFeed != nullptr;
        }
        lineFeeds += countLineFeeds(begin, end);
        size += got;
        lastByte = end[-1];
        lastBlockBytes = got;
        if (got < blockBytes)
            break;
    }
    if (in.bad()) {
        tail.state = StatsFileState::unreadable;
        return tail;
    }
    dropCarriageReturn(tail.header, headerLength);
    tail.lineCount = lineFeeds + (lastByte != '\n' ? 1 : 0);

    // Backward from the end seen by the count: the newest lines, newest first. The header is never
    // among them, as at most lineCount - 1 lines are taken.
    const std::uint64_t wanted =
        tail.lineCount > 0 ? std::min<std::uint64_t>(tail.lineCount - 1, wantedNewest) : 0;
    // The newest lines mostly lie in the block the count read last.
    BackwardScanner scanner(in, block.get(), blockBytes, size - lastBlockBytes, size);
    std::uint64_t lineEnd = lastByte == '\n' ? size - (size > 0 ? 1 : 0) : size;
    tail.newestLines.reserve(static_cast<std::size_t>(wanted));
    for (std::uint64_t taken = 0; taken < wanted; ++taken) {
        const std::optional<std::uint64_t> lineFeed = scanner.lastLineFeedBefore(lineEnd);
        if (!lineFeed)
            break; // only when the file changed under us; the failure check below tells
        const std::uint64_t start = *lineFeed + 1;
        const std::uint64_t length = lineEnd - start;
        std::string line =
            scanner.bytesAt(start, static_cast<std::size_t>(std::min<std::uint64_t>(length, keptLineBytes)));
        dropCarriageReturn(line, length);
        tail.newestLines.push_back(std::move(line));
        lineEnd = *lineFeed;
    }
    if (scanner.failed() || tail.newestLines.size() != wanted) {
        tail.newestLines.clear();
        tail.state = StatsFileState::unreadable;
        return tail;
    }
    tail.state = StatsFileState::read;
    return tail;
}
