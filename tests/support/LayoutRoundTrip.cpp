#include "tests/support/LayoutRoundTrip.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"
#include "statsfile/Layout.h"
#include "statsfile/RowWriting.h"

#include <optional>
#include <vector>

namespace {

constexpr std::size_t kLongestValue = 24;

// Header names a player might add: none is a column's name, none holds a separator or a quote, so
// that the header's separator is the one it was written with.
constexpr const char* kOwnNames[] = {"Notes", "", "Team mate", "MMR2", "Rank", "win", " ", "Arena"};

std::string quotedName(const std::string& name) {
    std::string text = "\"";
    for (const char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

struct HeaderCase {
    char separator = ',';
    std::vector<std::string> names;             // as they stand between the separators
    std::vector<std::optional<StatsColumn>> of; // the column each field names, if any
    std::string text;                           // the whole line, as the file holds it
};

HeaderCase drawHeader(ChoiceBytes& choices) {
    HeaderCase header;
    header.separator = choices.flag() ? ';' : ',';
    const bool quoted = choices.flag();
    const bool byteOrderMark = choices.flag();
    const bool carriageReturn = choices.flag();
    // Most cases name every column, so that rows are written in the header's own layout.
    const bool everyColumn = choices.below(4) != 0;
    std::vector<std::optional<StatsColumn>> fields;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (everyColumn || choices.flag())
            fields.emplace_back(description.column);
    const std::size_t extras = choices.below(4);
    for (std::size_t extra = 0; extra < extras; ++extra)
        fields.emplace_back(std::nullopt);
    // Shuffled by the choices; a column may also come twice.
    for (std::size_t at = fields.size(); at > 1; --at)
        std::swap(fields[at - 1], fields[choices.below(at)]);
    if (!fields.empty() && choices.below(8) == 0)
        fields.push_back(fields[choices.below(fields.size())]);

    for (const std::optional<StatsColumn>& field : fields) {
        std::string name =
            field ? std::string(columnName(*field)) : kOwnNames[choices.below(std::size(kOwnNames))];
        if (field && choices.below(4) == 0)
            name = (choices.flag() ? " " : "\t") + name + (choices.flag() ? "  " : "");
        header.names.push_back(quoted ? quotedName(name) : name);
        header.of.push_back(field);
    }
    if (byteOrderMark)
        header.text = "\xEF\xBB\xBF";
    for (std::size_t at = 0; at < header.names.size(); ++at)
        header.text += (at > 0 ? std::string(1, header.separator) : std::string()) + header.names[at];
    if (carriageReturn)
        header.text += '\r';
    return header;
}

std::string describe(const std::string& text) {
    std::string shown;
    for (const char c : text)
        shown += c == '\r' ? std::string("\\r") : std::string(1, c);
    return "\"" + shown + "\"";
}

} // namespace

std::string ChoiceBytes::text(std::size_t most) {
    const std::size_t length = below(most + 1);
    std::string value;
    for (std::size_t at = 0; at < length; ++at) {
        const char c = static_cast<char>(next());
        // The plugin turns line breaks in a value into blanks before writing it.
        value += c == '\n' || c == '\r' ? ' ' : c;
    }
    return value;
}

std::string layoutRoundTripFailure(ChoiceBytes& choices) {
    const HeaderCase header = drawHeader(choices);
    const StatsFileLayout layout = layoutOfHeader(header.text);
    // Each column at the later of its places, missing where the header lacks it.
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t expected = kAbsentColumn;
        for (std::size_t at = 0; at < header.of.size(); ++at)
            if (header.of[at] == description.column)
                expected = at;
        if (layout.of(description.column) != expected)
            return "header " + describe(header.text) + ": " + std::string(description.name) + " at " +
                   std::to_string(layout.of(description.column)) + ", expected " + std::to_string(expected);
    }
    if (!layout.complete())
        return {};

    ColumnValues values;
    for (std::string& value : values)
        value = choices.text(kLongestValue);
    const std::string line = rowLine(values, layout);
    if (line.find('\n') != std::string::npos)
        return "a line break in the row " + describe(line);
    std::vector<std::string_view> fields(layout.fieldCount);
    std::string unquoted;
    const std::size_t count =
        splitFields(line, layout.separator, fields, layout.of(StatsColumn::Playlist), unquoted);
    for (const StatsColumnDescription& description : kStatsColumns) {
        const std::size_t at = layout.of(description.column);
        const std::string_view read = at < count ? fields[at] : std::string_view();
        if (read != values[writtenPosition(description.column)])
            return "header " + describe(header.text) + ", row " + describe(line) + ": " +
                   std::string(description.name) + " reads back as " + describe(std::string(read)) +
                   ", written " + describe(values[writtenPosition(description.column)]);
    }
    return {};
}

std::string cellConversionFailure(const std::string& cell) {
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
