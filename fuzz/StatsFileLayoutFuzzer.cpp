// The stats file's layout in memory, at speed: any bytes as a header, a line and a cell, which must
// neither crash nor read past their end; any bytes as a whole file cut into lines, in whatever form
// their first bytes tell; and the round trip of a row written in any header's layout and saved in any
// form, which must read back to the values written.
#include "statsfile/FieldSplit.h"
#include "statsfile/Layout.h"
#include "statsfile/LineCutting.h"
#include "tests/support/LayoutRoundTrip.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void layoutFailure(const std::string& what) {
    std::fprintf(stderr, "stats-file layout: %s\n", what.c_str());
    std::abort();
}

// Checks each line a line feeder hands on: never longer than it holds, never holding a line end it cuts
// at.
struct CheckedLines {
    const BasicLineFeeder<CheckedLines>* feeder = nullptr;
    void line(std::string_view text) {
        const bool carriageReturnsEndLines = feeder->lineEnd() == LineEnd::cr;
        if (text.size() > kLongestHeldLine)
            layoutFailure("a line longer than the feeder holds");
        if (text.find('\n') != std::string_view::npos)
            layoutFailure("a line feed inside a line");
        if (carriageReturnsEndLines && text.find('\r') != std::string_view::npos)
            layoutFailure("a carriage return inside a line of a file whose lines end in CR");
        if (!carriageReturnsEndLines && text.ends_with('\r'))
            layoutFailure("a line ending in the carriage return of its line end");
    }
    void tooLong() {}
};

// The bytes as a whole file, fed in two pieces cut where the first byte says.
void cutIntoLines(std::string_view bytes) {
    CheckedLines lines;
    BasicLineFeeder<CheckedLines> feeder(lines);
    lines.feeder = &feeder;
    const std::size_t cut = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % (bytes.size() + 1);
    try {
        feeder.feed(bytes.substr(0, cut));
        feeder.feed(bytes.substr(cut));
        feeder.unfinishedAsLine();
    } catch (const StatsFileError&) {
        // No text the layout rule reads: refusing it is the answer.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const StatsFileLayout layout = layoutOfHeader(bytes);
    std::array<std::string_view, 20> fields;
    static std::string unquoted; // only its capacity carries over: the split empties it first
    const std::size_t count =
        splitFields(bytes, layout.separator, fields, layout.of(StatsColumn::Playlist), unquoted);
    if (count > fields.size())
        layoutFailure("more fields than room");
    if (const std::string failure = cellConversionFailure(bytes); !failure.empty())
        layoutFailure(failure);
    cutIntoLines(bytes);
    ChoiceBytes choices({data, size});
    if (const std::string failure = layoutRoundTripFailure(choices); !failure.empty())
        layoutFailure(failure);
    return 0;
}
