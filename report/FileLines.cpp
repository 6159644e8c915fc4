#include "report/FileLines.h"

#include "statsfile/LineFeeder.h"

#include <memory>
#include <string_view>

namespace {

// Blocks this size stay in the cache from the read to the parse.
constexpr std::size_t kBlockBytes = 128 * 1024;

} // namespace

void readLines(std::istream& in, RowReader& reader, const std::function<bool()>& afterBlock) {
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    LineFeeder lines(reader);
    for (;;) {
        in.read(block.get(), static_cast<std::streamsize>(kBlockBytes));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad())
            throw StatsFileError("could not be read to its end");
        if (got == 0)
            break;
        lines.feed(std::string_view(block.get(), got));
        if (!afterBlock())
            return;
    }
    // A last line without a line feed is a line too.
    lines.unfinishedAsLine();
    reader.finish();
}
