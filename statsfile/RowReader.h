// Turns the lines of a stats file, fed one at a time, into matches for a StatsRowSink, by the strict
// rules the history report and the live view share: the first line is the header, whose layout
// (statsfile/Layout.h) says where each column stands and how fields are separated and quoted; every later
// line is a match, a line that is no match (skipped, with the reason) or a repeated header (whose layout
// then counts). A cell is a number only when the whole cell is one (statsfile/CellConversion.h); a time
// before 2000 or more than a day after now is no match's (statsfile/PlausibleTime.h).
#pragma once

#include "statsfile/Layout.h"
#include "statsfile/LineCutting.h"
#include "statsfile/MatchRecord.h"
#include "statsfile/PlausibleTime.h"
#include "statsfile/RowSink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Lines longer than kLongestRowBytes (statsfile/LineCutting.h) are damage; they are skipped.

// The whole-number columns of a match (numbers, flags and the win), in the column table's order.
inline constexpr std::size_t kMatchNumberColumns = [] {
    std::size_t count = 0;
    for (const StatsColumnDescription& description : kStatsColumns) {
        const MatchField::Kind kind = matchFieldOf(description.column).kind;
        count += isIntegerKind(kind) || kind == MatchField::flag || kind == MatchField::win ? 1u : 0u;
    }
    return count;
}();

class RowReader {
public:
    // `now`: the moment a match time may lie at most a day after.
    RowReader(StatsRowSink& sink, std::int64_t now)
        : sink_(sink)
        , latestTime_(latestPlausibleTime(now)) {}

    // A later moment for the lines still to come, for a reader that follows a file for days.
    void setNow(std::int64_t now) { latestTime_ = latestPlausibleTime(now); }

    // One line without its line end. Throws StatsFileError when the first is no header.
    void line(std::string_view text);
    // A line too long to be held, in place of its text.
    void tooLong();
    // After the last line. Throws StatsFileError when there was none.
    void finish();

    using Numbers = std::array<std::int32_t, kMatchNumberColumns>;

    // What each field of a line holds, by the header.
    struct FieldRole {
        enum Kind : std::uint8_t { skip, number, optionalNumber, time, title } kind;
        std::size_t slot; // into the number slots, for a number
    };

private:
    void header(std::string_view text);
    void adopt(const StatsFileLayout& layout);
    bool readWritten(std::string_view text);
    bool readPlain(std::string_view text);
    bool takePlainNumbers();
    std::size_t split(std::string_view text);
    // Empty for a column the header lacks.
    std::string_view cell(StatsColumn column) const {
        return layout_.has(column) ? fields_[layout_.of(column)] : std::string_view();
    }
    bool convert(std::string& reason);

    StatsRowSink& sink_;
    std::int64_t latestTime_;
    std::uint64_t lineNumber_ = 0;
    StatsFileLayout layout_;
    // The plugin's own layout, of every column or of the required ones: lines take the unrolled pass.
    enum class WrittenForm : std::uint8_t { none, everyColumn, requiredColumns } written_ = WrittenForm::none;
    std::vector<std::string_view> fields_;
    std::string unquoted_; // the text of quoted fields, which fields_ may point into
    std::vector<std::size_t> separators_;
    std::vector<FieldRole> roles_; // what each field of a line holds, by the header
    Numbers numbers_{};
    MatchRecord match_;
};
