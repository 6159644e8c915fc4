#include "toolkit/ScreenWidth.h"

#include <algorithm>

namespace {

bool within(std::span<const CodeRange> ranges, char32_t code) {
    // The first run that ends at or after the code point holds it, if any does.
    const auto run =
        std::lower_bound(ranges.begin(), ranges.end(), code,
                         [](const CodeRange& range, char32_t value) { return range.last < value; });
    return run != ranges.end() && run->first <= code;
}

} // namespace

int screenColumns(char32_t code) {
    if (within(rangesOfNoColumns(), code))
        return 0;
    return within(rangesOfTwoColumns(), code) ? 2 : 1;
}
