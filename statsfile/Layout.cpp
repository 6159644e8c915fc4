#include "statsfile/Layout.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::array<char, 2> kSeparators{',', ';'};

// A header field as the name it gives: without the blanks around it, and without quotes that the
// blanks kept from being read as quotes (" \"Time\" ").
std::string nameOf(std::string_view field) {
    std::string_view name = withoutBlanks(field);
    if (name.size() < 2 || name.front() != '"' || name.back() != '"')
        return std::string(name);
    std::string unquoted;
    name = name.substr(1, name.size() - 2);
    for (std::size_t at = 0; at < name.size(); ++at) {
        unquoted += name[at];
        if (name[at] == '"' && at + 1 < name.size() && name[at + 1] == '"')
            ++at;
    }
    return std::string(withoutBlanks(unquoted));
}

// The layout `header` gives when split at `separator`.
StatsFileLayout layoutSplitBy(std::string_view header, char separator) {
    StatsFileLayout layout;
    layout.separator = separator;
    // As many fields as the header has separators, plus one: no name is ever cut off.
    std::vector<std::string_view> names(
        static_cast<std::size_t>(std::count(header.begin(), header.end(), separator)) + 1);
    std::string unquoted;
    layout.fieldCount = splitFields(header, separator, names, names.size(), unquoted);
    for (std::size_t index = 0; index < layout.fieldCount; ++index)
        if (const std::optional<StatsColumn> column = columnNamed(nameOf(names[index])))
            layout.position[writtenPosition(*column)] = index;
    return layout;
}

std::size_t knownNames(const StatsFileLayout& layout) {
    return static_cast<std::size_t>(std::count_if(layout.position.begin(), layout.position.end(),
                                                  [](std::size_t at) { return at != kAbsentColumn; }));
}

} // namespace

bool StatsFileLayout::complete() const {
    return knownNames(*this) == kStatsColumnCount;
}

bool StatsFileLayout::namesNone() const {
    return knownNames(*this) == 0;
}

const StatsFileLayout& writtenLayout() {
    static const StatsFileLayout layout = [] {
        StatsFileLayout written;
        written.fieldCount = kStatsColumnCount;
        for (std::size_t at = 0; at < kStatsColumnCount; ++at)
            written.position[at] = at;
        return written;
    }();
    return layout;
}

std::string writtenHeaderLine() {
    std::string line;
    for (const StatsColumnDescription& description : kStatsColumns) {
        if (!line.empty())
            line += ',';
        line += description.name;
    }
    return line;
}

StatsFileLayout layoutOfHeader(std::string_view header) {
    if (header.starts_with(kUtf8ByteOrderMark))
        header.remove_prefix(kUtf8ByteOrderMark.size());
    if (header.ends_with('\r'))
        header.remove_suffix(1);
    // The separator that finds more names wins; the comma when both find as many.
    StatsFileLayout best = layoutSplitBy(header, kSeparators[0]);
    for (std::size_t which = 1; which < kSeparators.size(); ++which) {
        StatsFileLayout other = layoutSplitBy(header, kSeparators[which]);
        if (knownNames(other) > knownNames(best))
            best = other;
    }
    return best;
}
