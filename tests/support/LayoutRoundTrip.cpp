#include "tests/support/LayoutRoundTrip.h"

#include "statsfile/CellConversion.h"
#include "statsfile/FieldSplit.h"
#include "statsfile/Layout.h"
#include "statsfile/LineCutting.h"
#include "statsfile/RowWriting.h"
#include "statsfile/TextForm.h"

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

constexpr char kSeparators[] = {',', ';', '\t'};

void drawHeader(ChoiceBytes& choices, HeaderCase& header) {
    const char separator = kSeparators[choices.below(std::size(kSeparators))];
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
        // A tab is a blank only where it separates nothing: in a header that holds its own separator
        // (one of a single field holds none, and its tab is taken for the separator).
        const bool tab = choices.flag() && separator != '\t' && header.fieldCount > 1;
        const std::string_view before = blanks ? (tab ? "\t" : " ") : "";
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

// The forms a file may be saved in: each encoding, with and without a byte-order mark where both occur.
struct DrawnForm {
    TextForm form;
    const char* name;
};
constexpr DrawnForm kForms[] = {
    {{TextEncoding::utf8, false, LineEnd::lf}, "UTF-8"},
    {{TextEncoding::utf8, true, LineEnd::lf}, "UTF-8 with a byte-order mark"},
    {{TextEncoding::utf16le, true, LineEnd::lf}, "UTF-16 LE"},
    {{TextEncoding::utf16be, true, LineEnd::lf}, "UTF-16 BE"},
};
constexpr LineEnd kLineEnds[] = {LineEnd::lf, LineEnd::crlf, LineEnd::cr};

// Characters a UTF-16 file holds beyond ASCII: two and three UTF-8 bytes, and one beyond the Basic
// Multilingual Plane, which UTF-16 writes as a surrogate pair.
constexpr std::string_view kWideCharacters[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xE6\x95\xB0",
                                                "\xF0\x9F\x98\x80"};

// The value as UTF-8 that UTF-16 holds exactly: each byte beyond ASCII becomes a whole character.
void makeWholeCharacters(std::string& value) {
    std::string whole;
    for (const char c : value) {
        if (static_cast<unsigned char>(c) < 0x80)
            whole += c;
        else
            whole += kWideCharacters[static_cast<unsigned char>(c) % std::size(kWideCharacters)];
    }
    value.swap(whole);
}

// Collects the lines a line feeder cuts.
struct CollectedLines {
    std::vector<std::string> lines;
    void line(std::string_view text) { lines.emplace_back(text); }
    void tooLong() { lines.emplace_back("<too long>"); }
};

// The header and the row as a file in `form`, read back through the line feeder in two pieces cut at
// `cut`; what went wrong, or nothing, with the lines read into `lines`.
std::string readBackFailure(const std::string& header, const std::string& row, const TextForm& form,
                            std::size_t cutChoice, std::vector<std::string>& lines) {
    std::string text;
    // UTF-16 is read only after its byte-order mark: U+FEFF, UTF-8's mark encoded.
    const std::string_view utf8Mark = byteOrderMarkOf(TextEncoding::utf8);
    if (form.byteOrderMark && !header.starts_with(utf8Mark))
        text += utf8Mark;
    text.append(header).append(lineEndText(form.lineEnd)).append(row).append(lineEndText(form.lineEnd));
    std::string bytes;
    appendEncoded(text, form.encoding, bytes);
    const std::size_t cut = cutChoice % (bytes.size() + 1);

    CollectedLines collected;
    BasicLineFeeder<CollectedLines> feeder(collected);
    try {
        feeder.feed(std::string_view(bytes).substr(0, cut));
        feeder.feed(std::string_view(bytes).substr(cut));
        feeder.unfinishedAsLine();
    } catch (const StatsFileError& refusal) {
        return std::string("refused: ") + refusal.what();
    }
    lines = std::move(collected.lines);
    if (feeder.encoding() != form.encoding)
        return "read in another encoding";
    if (feeder.lineEnd() != form.lineEnd)
        return "read with another line end";
    if (lines.size() != 2)
        return std::to_string(lines.size()) + " lines read back";
    return {};
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

    // Saved in a form: an encoding and a line end. A carriage return left at the header's end stands
    // for the CR of CR LF; the drawn line end takes its place in the file.
    const DrawnForm& drawn = kForms[choices.below(std::size(kForms))];
    TextForm form = drawn.form;
    form.lineEnd = kLineEnds[choices.below(std::size(kLineEnds))];
    const std::size_t cutChoice = choices.next() * 256u + choices.next();

    static ColumnValues values; // only the capacity of its texts carries over
    for (std::string& value : values) {
        choices.text(kLongestValue, value);
        if (form.encoding != TextEncoding::utf8)
            makeWholeCharacters(value);
    }
    const std::string line = rowLine(values, layout);
    if (line.find('\n') != std::string::npos)
        return "a line break in the row " + describe(line);

    std::string_view savedHeader = header.text;
    if (savedHeader.ends_with('\r'))
        savedHeader.remove_suffix(1);
    static std::vector<std::string> lines;
    if (const std::string failure = readBackFailure(std::string(savedHeader), line, form, cutChoice, lines);
        !failure.empty())
        return "header " + describe(header.text) + ", row " + describe(line) + " saved as " + drawn.name +
               " with " + describe(lineEndText(form.lineEnd)) + ": " + failure;
    if (layoutOfHeader(lines[0]).position != layout.position)
        return "header " + describe(header.text) + " read back as " + describe(lines[0]);
    std::vector<std::string_view> fields(layout.fieldCount);
    std::string unquoted;
    const std::size_t count =
        splitFields(lines[1], layout.separator, fields, layout.of(StatsColumn::Playlist), unquoted);
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
