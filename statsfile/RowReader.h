// Turns the lines of a stats file, fed one at a time, into matches for a StatsRowSink: the first line is
// the header, whose names say where each column stands; every later line is a match, a damaged line
// (skipped, with the reason) or a repeated header (whose names then count).
#pragma once

#include "statsfile/ColumnLayout.h"
#include "statsfile/MatchRecord.h"
#include "statsfile/PlausibleTime.h"
#include "statsfile/RowSink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines longer than this are damage; they are skipped without being held.
inline constexpr std::size_t kLongestRowBytes = 64 * 1024;

class RowReader {
public:
    // `now`: the moment a match time may lie at most a day after (statsfile/PlausibleTime.h).
    RowReader(StatsRowSink& sink, std::int64_t now)
        : sink_(sink)
        , latestTime_(latestPlausibleTime(now)) {}

    // One line without its line end. Throws StatsFileError when the first is no header.
    void line(std::string_view text);
    // A line too long to be held, in place of its text.
    void tooLong();
    // After the last line. Throws StatsFileError when there was none.
    void finish();

    // The whole-number columns a plain line's one pass keeps: nine numbers and three flags.
    static constexpr std::size_t kNumberSlots = 12;
    using Numbers = std::array<std::int32_t, kNumberSlots>;

    // What each field of a line holds, by the header.
    struct FieldRole {
        enum Kind : std::uint8_t { Skip, Number, Time, Title } kind;
        std::size_t slot; // into the number slots, for a Number
    };

private:
    void header(std::string_view text);
    void adopt(const ColumnLayout& layout);
    bool readPlain(std::string_view text);
    bool takePlainNumbers();
    std::size_t split(std::string_view text);
    std::string_view cell(StatsColumn column) const { return fields_[layout_.of(column)]; }
    bool convert(std::string& reason);

    StatsRowSink& sink_;
    std::int64_t latestTime_;
    std::uint64_t lineNumber_ = 0;
    ColumnLayout layout_;
    std::vector<std::string_view> fields_;
    std::vector<std::size_t> commas_;
    std::vector<FieldRole> roles_; // what each field of a line holds, by the header
    Numbers numbers_{};
    MatchRecord match_;
};
