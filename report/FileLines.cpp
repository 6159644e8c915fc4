#include "report/FileLines.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

// Blocks this size stay in the cache from the read to the parse.
constexpr std::size_t kBlockBytes = 128 * 1024;

// A line's text may hold its line feed's carriage return too.
constexpr std::size_t kLongestHeldLine = kLongestRowBytes + 1;

std::string_view withoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The part of readLines that sees the bytes: hands on every line that ends in a block and keeps the
// start of one that runs on into the next.
class LineAssembler {
public:
    explicit LineAssembler(RowReader& reader)
        : reader_(reader) {}

    void block(std::string_view bytes);
    // After the last block: a last line without a line feed is a line too.
    void end();

private:
    // `piece`: what a block holds of a line, up to the line feed that ends it.
    void lineEnded(std::string_view piece);
    // `piece`: the start of a line that runs past the block's end.
    void carry(std::string_view piece);

    RowReader& reader_;
    std::string carried_; // the start of a line that runs past a block's end
    bool carriedTooLong_ = false;
};

void LineAssembler::block(std::string_view bytes) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    while (at < end) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lineFeed)
            return carry(std::string_view(at, static_cast<std::size_t>(end - at)));
        lineEnded(std::string_view(at, static_cast<std::size_t>(lineFeed - at)));
        at = lineFeed + 1;
    }
}

void LineAssembler::end() {
    if (carriedTooLong_)
        reader_.tooLong();
    else if (!carried_.empty())
        reader_.line(withoutCarriageReturn(carried_));
}

void LineAssembler::lineEnded(std::string_view piece) {
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

void LineAssembler::carry(std::string_view piece) {
    if (!carriedTooLong_ && carried_.size() + piece.size() <= kLongestHeldLine) {
        carried_.append(piece);
    } else {
        carriedTooLong_ = true;
        carried_.clear();
    }
}

} // namespace

void readLines(std::istream& in, RowReader& reader, const std::function<bool()>& afterBlock) {
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    LineAssembler lines(reader);
    for (;;) {
        in.read(block.get(), static_cast<std::streamsize>(kBlockBytes));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad())
            throw StatsFileError("could not be read to its end");
        if (got == 0)
            break;
        lines.block(std::string_view(block.get(), got));
        if (!afterBlock())
            return;
    }
    lines.end();
    reader.finish();
}
