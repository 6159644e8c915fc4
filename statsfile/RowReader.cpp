#include "statsfile/RowReader.h"

#include "statsfile/CellConversion.h"
#include "statsfile/CellNumbers.h"
#include "statsfile/FieldSplit.h"
#include "statsfile/SeparatorPositions.h"

#include <cstring>
#include <optional>

namespace {

constexpr char kQuote = '"';

// A cell as it stands, cut short, for a message.
std::string quoted(std::string_view cell) {
    constexpr std::size_t kShown = 24;
    std::string text = "\"";
    text.append(cell.substr(0, kShown));
    if (cell.size() > kShown)
        text += "...";
    return text + "\"";
}

constexpr bool isNumberKind(MatchField::Kind kind) {
    return isIntegerKind(kind) || kind == MatchField::flag || kind == MatchField::win;
}

// The column behind each number slot.
constexpr std::array<StatsColumn, kMatchNumberColumns> kNumberColumns = [] {
    std::array<StatsColumn, kMatchNumberColumns> columns{};
    std::size_t slot = 0;
    for (const StatsColumnDescription& description : kStatsColumns)
        if (isNumberKind(matchFieldOf(description.column).kind))
            columns[slot++] = description.column;
    return columns;
}();

// The columns a header must name for its rows to be read as matches, joined for a message.
std::string missingForMatches(const StatsFileLayout& layout) {
    return layout.missingNames([](StatsColumn column) { return isNeededForMatches(column); });
}

// Takes a converted number into the match; false when the column takes only 0 or 1 and it is neither.
bool takeNumber(StatsColumn column, std::int32_t value, MatchRecord& match) {
    const MatchField field = matchFieldOf(column);
    switch (field.kind) {
    case MatchField::number:
    case MatchField::optionalNumber:
        match.*field.intMember = value;
        return true;
    case MatchField::flag:
        match.*field.boolMember = value != 0;
        return true;
    case MatchField::win:
        match.*field.boolMember = value == 1;
        return value == 0 || value == 1;
    case MatchField::time:
    case MatchField::title:
    case MatchField::unread:
        break;
    }
    return true;
}

// Sets the member a column fills to what a file lacking the column gives: none.
void clearMember(StatsColumn column, MatchRecord& match) {
    const MatchField field = matchFieldOf(column);
    if (field.intMember)
        match.*field.intMember = 0;
    if (field.boolMember)
        match.*field.boolMember = false;
}

// The field at `at` as its role wants it, `at` moved to the separator after it; false when it is not
// plain (a quoted title, more than a few digits, an implausible time). Into `numbers` by its slot, or
// into `match`.
bool readPlainField(const RowReader::FieldRole& role, const char*& at, const char* end, char separator,
                    std::int64_t latestTime, RowReader::Numbers& numbers, MatchRecord& match) {
    using FieldRole = RowReader::FieldRole;
    const char* const start = at;
    switch (role.kind) {
    case FieldRole::number: {
        std::uint64_t value = 0;
        if (!plainNumber(at, end, 9, value))
            return false;
        numbers[role.slot] = static_cast<std::int32_t>(value);
        return true;
    }
    case FieldRole::optionalNumber: {
        std::uint64_t value = 0;
        if (at != end && *at == separator) {
            numbers[role.slot] = 0;
            return true;
        }
        if (!plainNumber(at, end, 9, value))
            return false;
        numbers[role.slot] = static_cast<std::int32_t>(value);
        return true;
    }
    case FieldRole::time: {
        std::uint64_t value = 0;
        if (!plainNumber(at, end, 18, value))
            return false;
        const auto time = static_cast<std::int64_t>(value);
        if (time < kEarliestPlausibleTime || time > latestTime)
            return false;
        match.time = time;
        return true;
    }
    case FieldRole::title:
    case FieldRole::skip: {
        if (role.kind == FieldRole::title && at < end && *at == kQuote)
            return false;
        const auto* next =
            static_cast<const char*>(std::memchr(at, separator, static_cast<std::size_t>(end - at)));
        at = next ? next : end;
        if (role.kind == FieldRole::title)
            match.playlist = withoutBlanks(std::string_view(start, static_cast<std::size_t>(at - start)));
        return true;
    }
    }
    return true;
}

// The plugin's own layout, read with every step known at compile time: the field at `Position` of a
// line the plugin wrote, `at` moved past it and its comma. False when the field is not plain.
template <std::size_t Count, std::size_t Position>
bool readWrittenField(const char*& at, const char* end, std::int64_t latestTime, MatchRecord& match) {
    constexpr MatchField field = matchFieldOf(kStatsColumns[Position].column);
    if constexpr (field.kind == MatchField::optionalNumber) {
        std::uint64_t value = 0;
        if (at != end && *at != ',' && !plainNumber(at, end, 9, value))
            return false;
        match.*field.intMember = static_cast<std::int32_t>(value);
    } else if constexpr (field.kind == MatchField::number || field.kind == MatchField::flag ||
                         field.kind == MatchField::win) {
        std::uint64_t value = 0;
        // Most figures are one digit.
        if (end - at >= 2 && static_cast<unsigned char>(at[0] - '0') <= 9 && at[1] == ',') {
            value = static_cast<std::uint64_t>(at[0] - '0');
            ++at;
        } else if (!plainNumber(at, end, 9, value)) {
            return false;
        }
        if constexpr (field.kind == MatchField::number) {
            match.*field.intMember = static_cast<std::int32_t>(value);
        } else if constexpr (field.kind == MatchField::flag) {
            match.*field.boolMember = value != 0;
        } else {
            if (value > 1)
                return false;
            match.*field.boolMember = value == 1;
        }
    } else if constexpr (field.kind == MatchField::time) {
        // Ten digits until 2286: eight at once, then the rest one by one.
        std::uint64_t value = 0;
        std::uint64_t rest = 0;
        if (end - at > 10 && eightDigits(at, value)) {
            at += 8;
            const char* const restStart = at;
            if (!plainNumber(at, end, 10, rest) && at != restStart)
                return false;
            for (const char* digit = restStart; digit < at; ++digit)
                value *= 10;
            value += rest;
        } else if (!plainNumber(at, end, 18, value)) {
            return false;
        }
        const auto time = static_cast<std::int64_t>(value);
        if (time < kEarliestPlausibleTime || time > latestTime)
            return false;
        match.time = time;
    } else if constexpr (field.kind == MatchField::title) {
        // A title the writer quoted (it holds a comma) without a quote of its own is read here too.
        if (at < end && *at == kQuote) {
            const auto* close =
                static_cast<const char*>(std::memchr(at + 1, kQuote, static_cast<std::size_t>(end - at - 1)));
            if (!close || (close + 1 < end && close[1] != ','))
                return false;
            match.playlist =
                withoutBlanks(std::string_view(at + 1, static_cast<std::size_t>(close - at - 1)));
            at = close + 1;
        } else {
            const char* const start = at;
            at = nextSeparator(at, end, ',');
            match.playlist = withoutBlanks(std::string_view(start, static_cast<std::size_t>(at - start)));
        }
    } else {
        at = nextSeparator(at, end, ',');
    }
    if constexpr (Position + 1 < Count) {
        if (at == end || *at != ',')
            return false;
        ++at;
    }
    return true;
}

// The first `Count` columns of the plugin's own layout; the members of the columns after them (which
// such a file lacks) are set to none.
template <std::size_t Count, std::size_t... Position>
bool readWrittenFields(const char*& at, const char* end, std::int64_t latestTime, MatchRecord& match,
                       std::index_sequence<Position...>) {
    for (std::size_t lacking = Count; lacking < kStatsColumnCount; ++lacking)
        clearMember(kStatsColumns[lacking].column, match);
    return (readWrittenField<Count, Position>(at, end, latestTime, match) && ...);
}

} // namespace

void RowReader::line(std::string_view text) {
    ++lineNumber_;
    if (lineNumber_ == 1)
        return header(text);
    if (text.empty())
        return sink_.skipped(lineNumber_, "empty line");
    if (written_ != WrittenForm::none ? readWritten(text) : readPlain(text)) {
        match_.line = lineNumber_;
        return sink_.match(match_);
    }
    const std::size_t count = split(text);
    // Cells a short line does not reach are empty: they fail to convert below, unless the column is
    // the playlist title, which may be empty.
    for (std::size_t position = count; position < fields_.size(); ++position)
        fields_[position] = {};
    std::string reason;
    if (!convert(reason)) {
        const StatsFileLayout repeated = layoutOfHeader(text);
        if (missingForMatches(repeated).empty()) {
            adopt(repeated);
            return sink_.skipped(lineNumber_, "header line repeated");
        }
        return sink_.skipped(lineNumber_, reason);
    }
    match_.line = lineNumber_;
    sink_.match(match_);
}

void RowReader::tooLong() {
    ++lineNumber_;
    if (lineNumber_ == 1)
        throw StatsFileError("the first line is far too long to be a stats-file header: it has no line end "
                             "(LF, CR LF or CR) in its first 64 KiB");
    sink_.skipped(lineNumber_, "line longer than 64 KiB");
}

void RowReader::finish() {
    if (lineNumber_ == 0)
        throw StatsFileError("the file is empty: it has no header line");
}

void RowReader::header(std::string_view text) {
    const StatsFileLayout layout = layoutOfHeader(text);
    const std::string missing = missingForMatches(layout);
    if (!missing.empty())
        throw StatsFileError("the first line is not a stats-file header: it lacks the column" +
                             std::string(missing.find(',') == std::string::npos ? " " : "s ") + missing);
    adopt(layout);
}

void RowReader::adopt(const StatsFileLayout& layout) {
    layout_ = layout;
    const auto sameAs = [&](const StatsFileLayout& written) {
        return layout.separator == written.separator && layout.fieldCount == written.fieldCount &&
               layout.position == written.position;
    };
    written_ = sameAs(writtenLayout())           ? WrittenForm::everyColumn
               : sameAs(requiredColumnsLayout()) ? WrittenForm::requiredColumns
                                                 : WrittenForm::none;
    fields_.assign(layout_.fieldCount, std::string_view());
    separators_.assign(layout_.fieldCount + 1, 0);
    roles_.assign(layout_.fieldCount, FieldRole{FieldRole::skip, 0});
    for (std::size_t slot = 0; slot < kNumberColumns.size(); ++slot) {
        const StatsColumn column = kNumberColumns[slot];
        if (layout_.has(column))
            roles_[layout_.of(column)] =
                FieldRole{matchFieldOf(column).kind == MatchField::optionalNumber ? FieldRole::optionalNumber
                                                                                  : FieldRole::number,
                          slot};
    }
    roles_[layout_.of(StatsColumn::Time)] = FieldRole{FieldRole::time, 0};
    roles_[layout_.of(StatsColumn::Playlist)] = FieldRole{FieldRole::title, 0};
}

// The line as the plugin writes it, read in one pass that splits and converts together: every number a
// few plain digits, the header's number of fields, no quoted title, nothing at the end. Any other line is
// left to split() and convert(), whose rules decide; for a plain line both give the same match.
bool RowReader::readPlain(std::string_view text) {
    const char separator = layout_.separator;
    const char* at = text.data();
    const char* const end = at + text.size();
    const std::size_t last = roles_.size() - 1;
    for (std::size_t field = 0;; ++field) {
        if (!readPlainField(roles_[field], at, end, separator, latestTime_, numbers_, match_))
            return false;
        if (field == last)
            break;
        if (at == end || *at != separator)
            return false;
        ++at;
    }
    if (at != end || at == text.data() || at[-1] == separator)
        return false;
    return takePlainNumbers();
}

// A line in the plugin's own layout as the plugin writes it, in one pass unrolled at compile time; for
// such a line it gives what readPlain() gives.
bool RowReader::readWritten(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool read =
        written_ == WrittenForm::everyColumn
            ? readWrittenFields<kStatsColumnCount>(at, end, latestTime_, match_,
                                                   std::make_index_sequence<kStatsColumnCount>())
            : readWrittenFields<kRequiredColumnCount>(at, end, latestTime_, match_,
                                                      std::make_index_sequence<kRequiredColumnCount>());
    return read && at == end;
}

// The numbers a plain line gave, into the match; false when one is out of its column's range.
bool RowReader::takePlainNumbers() {
    for (std::size_t slot = 0; slot < kNumberColumns.size(); ++slot) {
        const StatsColumn column = kNumberColumns[slot];
        if (!layout_.has(column))
            clearMember(column, match_);
        else if (!takeNumber(column, numbers_[slot], match_))
            return false;
    }
    return true;
}

// A line with exactly the header's number of fields and no quote, as nearly every line is, is split here
// at once; any other goes to the shared splitting, which unquotes fields and re-joins a title holding
// separators.
std::size_t RowReader::split(std::string_view text) {
    const std::size_t wanted = fields_.size();
    const char separator = layout_.separator;
    const std::size_t found = separatorPositions(text, separator, separators_.data(), wanted - 1);
    if (found + 1 != wanted || (found > 0 && separators_[found - 1] + 1 == text.size()) ||
        text.find(kQuote) != std::string_view::npos)
        return splitFields(text, separator, fields_, layout_.of(StatsColumn::Playlist), unquoted_);
    std::size_t start = 0;
    for (std::size_t field = 0; field < found; ++field) {
        fields_[field] = text.substr(start, separators_[field] - start);
        start = separators_[field] + 1;
    }
    fields_[found] = text.substr(start);
    return wanted;
}

bool RowReader::convert(std::string& reason) {
    const std::string_view timeCell = cell(StatsColumn::Time);
    const std::optional<std::int64_t> time = timeOf(timeCell);
    if (!time && !isWholeNumberText(timeCell)) {
        reason = "Time is not a number: " + quoted(timeCell);
        return false;
    }
    if (!time || *time < kEarliestPlausibleTime || *time > latestTime_) {
        reason = "implausible time: " + quoted(timeCell) +
                 (time && *time < kEarliestPlausibleTime ? " (before 2000)" : " (more than a day after now)");
        return false;
    }
    match_.time = *time;
    for (const StatsColumn column : kNumberColumns) {
        std::int32_t value = 0;
        const bool optional = matchFieldOf(column).kind == MatchField::optionalNumber;
        if (optional && withoutBlanks(cell(column)).empty()) {
            clearMember(column, match_);
            continue;
        }
        if (!integerOf(cell(column), value)) {
            reason = std::string(columnName(column)) + " is not a number: " + quoted(cell(column));
            return false;
        }
        if (!takeNumber(column, value, match_)) {
            reason = std::string(columnName(column)) + " is neither 0 nor 1: " + quoted(cell(column));
            return false;
        }
    }
    match_.playlist = withoutBlanks(cell(StatsColumn::Playlist));
    return true;
}
