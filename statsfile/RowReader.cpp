#include "statsfile/RowReader.h"

#include "statsfile/CellNumbers.h"
#include "statsfile/CommaPositions.h"
#include "statsfile/FieldSplit.h"

#include <cstring>
#include <optional>
#include <utility>

namespace {

// A cell as it stands, cut short, for a message.
std::string quoted(std::string_view cell) {
    constexpr std::size_t kShown = 24;
    std::string text = "\"";
    text.append(cell.substr(0, kShown));
    if (cell.size() > kShown)
        text += "...";
    return text + "\"";
}

struct IntegerColumn {
    StatsColumn column;
    std::int32_t MatchRecord::*value;
};

constexpr std::array<IntegerColumn, 9> kIntegerColumns{{
    {StatsColumn::Mmr, &MatchRecord::rating},
    {StatsColumn::MyTeamGoals, &MatchRecord::myTeamGoals},
    {StatsColumn::OtherTeamGoals, &MatchRecord::otherTeamGoals},
    {StatsColumn::Points, &MatchRecord::points},
    {StatsColumn::Goals, &MatchRecord::goals},
    {StatsColumn::Assists, &MatchRecord::assists},
    {StatsColumn::Saves, &MatchRecord::saves},
    {StatsColumn::Shots, &MatchRecord::shots},
    {StatsColumn::Demos, &MatchRecord::demos},
}};

// The whole-number columns in the order a plain line's one pass keeps them: those of kIntegerColumns,
// then the three flags.
constexpr std::array<StatsColumn, RowReader::kNumberSlots> kNumberColumns = [] {
    std::array<StatsColumn, RowReader::kNumberSlots> columns{};
    for (std::size_t slot = 0; slot < kIntegerColumns.size(); ++slot)
        columns[slot] = kIntegerColumns[slot].column;
    columns[kIntegerColumns.size()] = StatsColumn::Win;
    columns[kIntegerColumns.size() + 1] = StatsColumn::Ranked;
    columns[kIntegerColumns.size() + 2] = StatsColumn::Mvp;
    return columns;
}();
static_assert(RowReader::kNumberSlots == kIntegerColumns.size() + 3, "a slot for each number and flag");
constexpr std::size_t kWinSlot = kIntegerColumns.size();
constexpr std::size_t kRankedSlot = kWinSlot + 1;
constexpr std::size_t kMvpSlot = kWinSlot + 2;

// The field at `at` as its role wants it, `at` moved to its end; false when it is not plain. Into
// `numbers` by its slot, or into `match`.
bool readPlainField(const RowReader::FieldRole& role, const char*& at, const char* end,
                    std::int64_t latestTime, RowReader::Numbers& numbers, MatchRecord& match) {
    using FieldRole = RowReader::FieldRole;
    const char* const start = at;
    switch (role.kind) {
    case FieldRole::Number: {
        std::uint64_t value = 0;
        if (!plainNumber(at, end, 9, value))
            return false;
        numbers[role.slot] = static_cast<std::int32_t>(value);
        return true;
    }
    case FieldRole::Time: {
        std::uint64_t value = 0;
        if (!plainNumber(at, end, 18, value))
            return false;
        const auto time = static_cast<std::int64_t>(value);
        if (time < kEarliestPlausibleTime || time > latestTime)
            return false;
        match.time = time;
        return true;
    }
    case FieldRole::Title:
    case FieldRole::Skip: {
        const auto* comma =
            static_cast<const char*>(std::memchr(at, ',', static_cast<std::size_t>(end - at)));
        at = comma ? comma : end;
        if (role.kind == FieldRole::Title)
            match.playlist = withoutBlanks(std::string_view(start, static_cast<std::size_t>(at - start)));
        return true;
    }
    }
    return true;
}

} // namespace

void RowReader::line(std::string_view text) {
    ++lineNumber_;
    if (lineNumber_ == 1)
        return header(text);
    if (text.empty())
        return sink_.skipped(lineNumber_, "empty line");
    if (readPlain(text)) {
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
        const ColumnLayout repeated = layoutOf(text);
        if (repeated.missing.empty()) {
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
        throw StatsFileError("the first line is far too long to be a stats-file header");
    sink_.skipped(lineNumber_, "line longer than 64 KiB");
}

void RowReader::finish() {
    if (lineNumber_ == 0)
        throw StatsFileError("the file is empty: it has no header line");
}

void RowReader::header(std::string_view text) {
    ColumnLayout layout = layoutOf(text);
    if (!layout.missing.empty())
        throw StatsFileError("the first line is not a stats-file header: it lacks the column" +
                             std::string(layout.missing.find(',') == std::string::npos ? " " : "s ") +
                             layout.missing);
    adopt(layout);
}

void RowReader::adopt(const ColumnLayout& layout) {
    layout_ = layout;
    fields_.assign(layout_.fieldCount, std::string_view());
    commas_.assign(layout_.fieldCount + 1, 0);
    roles_.assign(layout_.fieldCount, FieldRole{FieldRole::Skip, 0});
    for (std::size_t slot = 0; slot < kNumberColumns.size(); ++slot)
        roles_[layout_.of(kNumberColumns[slot])] = FieldRole{FieldRole::Number, slot};
    roles_[layout_.of(StatsColumn::Time)] = FieldRole{FieldRole::Time, 0};
    roles_[layout_.of(StatsColumn::Playlist)] = FieldRole{FieldRole::Title, 0};
}

// The line as the plugin writes it, read in one pass that splits and converts together: every number a
// few plain digits, the header's number of fields, nothing at the end. Any other line is left to split()
// and convert(), whose rules decide; for a plain line both give the same match.
bool RowReader::readPlain(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    const std::size_t last = roles_.size() - 1;
    for (std::size_t field = 0;; ++field) {
        if (!readPlainField(roles_[field], at, end, latestTime_, numbers_, match_))
            return false;
        if (field == last)
            break;
        if (at == end || *at != ',')
            return false;
        ++at;
    }
    if (at != end || at == text.data() || at[-1] == ',')
        return false;
    return takePlainNumbers();
}

// The numbers a plain line gave, into the match; false when Win is neither 0 nor 1.
bool RowReader::takePlainNumbers() {
    const std::int32_t win = numbers_[kWinSlot];
    if (win != 0 && win != 1)
        return false;
    for (std::size_t slot = 0; slot < kIntegerColumns.size(); ++slot)
        match_.*kIntegerColumns[slot].value = numbers_[slot];
    match_.win = win == 1;
    match_.ranked = numbers_[kRankedSlot] != 0;
    match_.mvp = numbers_[kMvpSlot] != 0;
    return true;
}

// A line with exactly the header's number of fields, as nearly every line is, is split here at once;
// any other goes to the plugin's splitting, which re-joins a title holding commas.
std::size_t RowReader::split(std::string_view text) {
    const std::size_t wanted = fields_.size();
    const std::size_t commas = commaPositions(text, commas_.data(), wanted - 1);
    if (commas + 1 != wanted || commas_[commas - 1] + 1 == text.size())
        return splitFields(text, fields_, layout_.of(StatsColumn::Playlist));
    std::size_t start = 0;
    for (std::size_t field = 0; field < commas; ++field) {
        fields_[field] = text.substr(start, commas_[field] - start);
        start = commas_[field] + 1;
    }
    fields_[commas] = text.substr(start);
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
    for (const IntegerColumn& column : kIntegerColumns) {
        if (!integerOf(cell(column.column), match_.*column.value)) {
            reason =
                std::string(columnName(column.column)) + " is not a number: " + quoted(cell(column.column));
            return false;
        }
    }
    std::int32_t win = 0;
    if (!integerOf(cell(StatsColumn::Win), win) || (win != 0 && win != 1)) {
        reason = "Win is neither 0 nor 1: " + quoted(cell(StatsColumn::Win));
        return false;
    }
    std::int32_t ranked = 0;
    std::int32_t mvp = 0;
    for (const auto& [column, flag] :
         {std::pair{StatsColumn::Ranked, &ranked}, std::pair{StatsColumn::Mvp, &mvp}}) {
        if (!integerOf(cell(column), *flag)) {
            reason = std::string(columnName(column)) + " is not a number: " + quoted(cell(column));
            return false;
        }
    }
    match_.win = win == 1;
    match_.ranked = ranked != 0;
    match_.mvp = mvp != 0;
    match_.playlist = withoutBlanks(cell(StatsColumn::Playlist));
    return true;
}
