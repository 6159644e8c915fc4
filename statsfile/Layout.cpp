#include "statsfile/Layout.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// In the order that wins a tie.
constexpr std::array<char, 3> kSeparators{',', ';', '\t'};

// A header field as the name it gives: without the blanks around it, and without quotes that the
// blanks kept from being read as quotes (" \"Time\" ").
// The view points into `field` or, for such quotes, into `scratch`.
std::string_view nameOf(std::string_view field, std::string& scratch) {
    std::string_view name = withoutBlanks(field);
    if (name.size() < 2 || name.front() != '"' || name.back() != '"')
        return name;
    scratch.clear();
    name = name.substr(1, name.size() - 2);
    for (std::size_t at = 0; at < name.size(); ++at) {
        scratch += name[at];
        if (name[at] == '"' && at + 1 < name.size() && name[at + 1] == '"')
            ++at;
    }
    return withoutBlanks(scratch);
}

// Room for the fields of a header: on the stack for any header a program or a person writes.
constexpr std::size_t kFieldsOnTheStack = 64;

// The layout `header` gives when split at `separator`.
StatsFileLayout layoutSplitBy(std::string_view header, char separator) {
    StatsFileLayout layout;
    layout.separator = separator;
    // As many fields as the header has separators, plus one: no name is ever cut off.
    const auto room = static_cast<std::size_t>(std::count(header.begin(), header.end(), separator)) + 1;
    std::array<std::string_view, kFieldsOnTheStack> onTheStack;
    std::vector<std::string_view> onTheHeap(room > onTheStack.size() ? room : 0);
    const std::span<std::string_view> names =
        onTheHeap.empty() ? std::span(onTheStack).first(room) : std::span(onTheHeap);
    std::string unquoted;
    std::string scratch;
    layout.fieldCount = splitFields(header, separator, names, names.size(), unquoted);
    for (std::size_t index = 0; index < layout.fieldCount; ++index)
        if (const std::optional<StatsColumn> column = columnNamed(nameOf(names[index], scratch)))
            layout.position[writtenPosition(*column)] = index;
    return layout;
}

std::size_t knownNames(const StatsFileLayout& layout) {
    return static_cast<std::size_t>(std::count_if(layout.position.begin(), layout.position.end(),
                                                  [](std::size_t at) { return at != kAbsentColumn; }));
}

// The plugin's own columns from the first up to `count`, in that order, separated by commas.
StatsFileLayout firstColumnsLayout(std::size_t count) {
    StatsFileLayout written;
    written.fieldCount = count;
    for (std::size_t at = 0; at < count; ++at)
        written.position[at] = at;
    return written;
}

} // namespace

bool StatsFileLayout::complete() const {
    for (const StatsColumnDescription& description : kStatsColumns)
        if (description.required && !has(description.column))
            return false;
    return true;
}

bool StatsFileLayout::namesNone() const {
    return knownNames(*this) == 0;
}

const StatsFileLayout& writtenLayout() {
    static const StatsFileLayout layout = firstColumnsLayout(kStatsColumnCount);
    return layout;
}

const StatsFileLayout& requiredColumnsLayout() {
    static const StatsFileLayout layout = firstColumnsLayout(kRequiredColumnCount);
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
    // Of the separators the header holds, the one that finds the most names wins; of those that find as
    // many, the earlier one. One the header does not hold is no candidate: it would leave the header one
    // field, taking its tabs for blanks around a name (" \tAssists\t " is Assists between two empty
    // tab-separated fields, not one field naming Assists). A header holding none is one field.
    std::optional<StatsFileLayout> best;
    for (const char separator : kSeparators) {
        if (header.find(separator) == std::string_view::npos)
            continue;
        StatsFileLayout other = layoutSplitBy(header, separator);
        if (!best || knownNames(other) > knownNames(*best))
            best = other;
    }
    if (!best)
        return layoutSplitBy(header, kSeparators[0]);
    return *best;
}
