#include "statsfile/LineFeeder.h"

#include <cstring>

namespace {

// A line's text may hold its line feed's carriage return too.
constexpr std::size_t kLongestHeldLine = kLongestRowBytes + 1;

std::string_view withoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

bool LineFeeder::feed(std::string_view bytes) {
    if (expectLineEnd_ && !bytes.empty()) {
        if (!expectLineFeed_ && bytes.front() == '\r') {
            expectLineFeed_ = true;
            bytes.remove_prefix(1);
        }
        if (!bytes.empty()) {
            if (bytes.front() != '\n')
                return false;
            bytes.remove_prefix(1);
            expectLineEnd_ = expectLineFeed_ = false;
        }
    }
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    while (at < end) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lineFeed) {
            carry(std::string_view(at, static_cast<std::size_t>(end - at)));
            break;
        }
        lineEnded(std::string_view(at, static_cast<std::size_t>(lineFeed - at)));
        at = lineFeed + 1;
    }
    return true;
}

void LineFeeder::unfinishedAsLine() {
    if (!hasUnfinished())
        return;
    const bool endedByCarriageReturn = !carriedTooLong_ && carried_.back() == '\r';
    lineEnded({});
    expectLineEnd_ = true;
    expectLineFeed_ = endedByCarriageReturn;
}

void LineFeeder::lineEnded(std::string_view piece) {
    if (carriedTooLong_) {
        reader_.tooLong();
    } else if (!carried_.empty()) {
        carried_.append(piece);
        if (carried_.size() > kLongestHeldLine)
            reader_.tooLong();
        else
            reader_.line(withoutCarriageReturn(carried_));
    } else if (piece.size() > kLongestHeldLine) {
        reader_.tooLong();
    } else {
        reader_.line(withoutCarriageReturn(piece));
    }
    carried_.clear();
    carriedTooLong_ = false;
}

void LineFeeder::carry(std::string_view piece) {
    if (!carriedTooLong_ && carried_.size() + piece.size() <= kLongestHeldLine) {
        carried_.append(piece);
    } else {
        carriedTooLong_ = true;
        carried_.clear();
    }
}
