#include "tests/support/LayoutRoundTrip.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"
#include "statsfile/Layout.h"
#include "statsfile/RowWriting.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLongestValue = 24;

// Header names a player might add: none is a column's name, none holds a separator or a quote, so
// that the header's separator is the one it was written with.
constexpr const char* kOwnNames[] = {"Notes", "", "Team mate", "MMR2", "Rank", "win", " ", "Arena"};

// Appends `name` to `text` in double quotes, a quote inside doubled.
void appendQuoted(std::string& text, std::string_view name) {
    text += '"';
    for (const char c : name) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

// The most fields a drawn header has: every column, one of them twice, and three of the player's own.
constexpr std::size_t kMostHeaderFields = kStatsColumnCount + 4;

struct HeaderCase {
    std::array<std::optional<StatsColumn>, kMostHeaderFields> of; // the column each field names, if any
    std::size_t fieldCount = 0;
    std::string text; // the whole line, as the file holds it
};

void drawHeader(ChoiceBytes& choices, HeaderCase& header) {
    const char separator = choices.flag() ? ';' : ',';
    const bool quoted = choices.flag();
    const bool byteOrderMark = choices.flag();
    const bool carriageReturn = choices.flag();
    // Most cases name every column, so that rows are written in the header's own layout.
    const bool everyColumn = choices.below(4) != 0;
    header.fieldCount = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (everyColumn || choices.flag())
            header.of[header.fieldCount++] = description.column;
    const std::size_t extras = choices.below(4);
    for (std::size_t extra = 0; extra < extras; ++extra)
        header.of[header.fieldCount++] = std::nullopt;
    // Shuffled by the choices; a column may also come twice.
    for (std::size_t at = header.fieldCount; at > 1; --at)
        std::swap(header.of[at - 1], header.of[choices.below(at)]);
    if (header.fieldCount > 0 && choices.below(8) == 0) {
        header.of[header.fieldCount] = header.of[choices.below(header.fieldCount)];
        ++header.fieldCount;
    }

    header.text.clear();
    if (byteOrderMark)
        header.text += "\xEF\xBB\xBF";
    for (std::size_t at = 0; at < header.fieldCount; ++at) {
        if (at > 0)
            header.text += separator;
        const std::optional<StatsColumn>& field = header.of[at];
        std::string_view name = field ? columnName(*field) : kOwnNames[choices.below(std::size(kOwnNames))];
        const bool blanks = field && choices.below(4) == 0;
        const std::string_view before = blanks ? (choices.flag() ? " " : "\t") : "";
        const std::string_view after = blanks && choices.flag() ? "  " : "";
        std::string padded;
        if (blanks) {
            padded.append(before).append(name).append(after);
            name = padded;
        }
        if (quoted)
            appendQuoted(header.text, name);
        else
            header.text += name;
    }
    if (carriageReturn)
        header.text += '\r';
}

std::string describe(std::string_view text) {
    std::string shown;
    for (const char c : text)
        shown += c == '\r' ? std::string("\\r") : std::string(1, c);
    return "\"" + shown + "\"";
}

} // namespace

void ChoiceBytes::text(std::size_t most, std::string& value) {
    const std::size_t length = below(most + 1);
    value.clear();
    for (std::size_t at = 0; at < length; ++at) {
        const char c = static_cast<char>(next());
        // The plugin turns line breaks in a value into blanks before writing it.
        value += c == '\n' || c == '\r' ? ' ' : c;
    }
}

std::string layoutRoundTripFailure(ChoiceBytes& choices) {
    // Kept between cases: only its capacity carries over.
    static HeaderCase header;
    drawHeader(choices, header);
    const StatsFileLayout layout = layoutOfHeader(header.text);
    // Each column at the later of its places, missing where the header lacks it.
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t expected = kAbsentColumn;
        for (std::size_t at = 0; at < header.fieldCount; ++at)
            if (header.of[at] == description.column)
                expected = at;
        if (layout.of(description.column) != expected)
            return "header " + describe(header.text) + ": " + std::string(description.name) + " at " +
                   std::to_string(layout.of(description.column)) + ", expected " + std::to_string(expected);
    }
    if (!layout.complete())
        return {};

    static ColumnValues values; // only the capacity of its texts carries over
    for (std::string& value : values)
        choices.text(kLongestValue, value);
    const std::string line = rowLine(values, layout);
    if (line.find('\n') != std::string::npos)
        return "a line break in the row " + describe(line);
    std::vector<std::string_view> fields(layout.fieldCount);
    std::string unquoted;
    const std::size_t count =
        splitFields(line, layout.separator, fields, layout.of(StatsColumn::Playlist), unquoted);
    for (const StatsColumnDescription& description : kStatsColumns) {
        // A column the header lacks (one a file may lack) is not written.
        if (!layout.has(description.column))
            continue;
        const std::size_t at = layout.of(description.column);
        const std::string_view read = at < count ? fields[at] : std::string_view();
        if (read != values[writtenPosition(description.column)])
            return "header " + describe(header.text) + ", row " + describe(line) + ": " +
                   std::string(description.name) + " reads back as " + describe(std::string(read)) +
                   ", written " + describe(values[writtenPosition(description.column)]);
    }
    return {};
}

std::string cellConversionFailure(std::string_view cell) {
    const std::optional<std::int32_t> strict = strictInt(cell);
    if (strict && cellToInt(cell) != strict)
        return "strict and lenient read " + describe(cell) + " differently";
    const std::optional<std::int64_t> strictTime = strictInt64(cell);
    if (strictTime && *strictTime >= 0 && cellToTime(cell) != static_cast<std::uint64_t>(*strictTime))
        return "strict and lenient read the time " + describe(cell) + " differently";
    if (strict && !isWholeNumberText(cell))
        return describe(cell) + " converts strictly but is no whole number";
    return {};
}
