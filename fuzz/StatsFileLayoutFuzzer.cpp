// The stats file's layout in memory, at speed: any bytes as a header, a line and a cell, which must
// neither crash nor read past their end; and the round trip of a row written in any header's layout,
// which must read back to the values written.
#include "statsfile/FieldSplit.h"
#include "statsfile/Layout.h"
#include "tests/support/LayoutRoundTrip.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void layoutFailure(const std::string& what) {
    std::fprintf(stderr, "stats-file layout: %s\n", what.c_str());
    std::abort();
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
    ChoiceBytes choices({data, size});
    if (const std::string failure = layoutRoundTripFailure(choices); !failure.empty())
        layoutFailure(failure);
    return 0;
}
