// What the report computes from a whole stats file: the figures of the page and of its JSON summary.
#pragma once

#include "statsfile/MatchRecord.h"
#include "toolkit/SessionRules.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
inline constexpr std::size_t kKeptSessions = 50;
inline constexpr std::size_t kFormWindow = 20;
// The newest matches are drawn one point each; older ones are reduced to time buckets.
inline constexpr std::size_t kFullDetailMatches = 2000;
inline constexpr std::size_t kMostBuckets = 500;
// Skipped lines listed by number and reason; all are counted.
inline constexpr std::size_t kListedSkippedLines = 1000;
// The periods summed up besides the whole history: the last so many days before now. A match exactly
// that long before now belongs to the time before (the rating after it is where the period starts).
inline constexpr std::array<std::int64_t, 4> kPeriodDays{7, 30, 90, 365};

// The place of a period in kPeriodDays.
constexpr std::size_t periodOf(std::int64_t days) {
    for (std::size_t period = 0; period < kPeriodDays.size(); ++period)
        if (kPeriodDays[period] == days)
            return period;
    throw "no such period"; // at compile time: a call naming a period that is not summed up
}

// The statistics a playlist's averages cover, in the order the page shows them: the columns the column
// table marks as averaged by the report (checked below). Their keys name them in the JSON.
inline constexpr std::array kAveragedColumns{StatsColumn::Points, StatsColumn::Goals, StatsColumn::Assists,
                                             StatsColumn::Saves,  StatsColumn::Shots, StatsColumn::Demos};
inline constexpr std::size_t kFormStatistics = 5; // the form chart draws the first five

// Each averaged statistic's member of a match.
inline constexpr auto kAveragedMembers = [] {
    std::array<std::int32_t MatchRecord::*, kAveragedColumns.size()> members{};
    for (std::size_t which = 0; which < kAveragedColumns.size(); ++which)
        members[which] = matchFieldOf(kAveragedColumns[which]).intMember;
    return members;
}();

namespace history_summary_detail {
constexpr bool averagesTheColumnsTheTableMarks() {
    for (const StatsColumnDescription& description : kStatsColumns) {
        std::size_t times = 0;
        for (const StatsColumn column : kAveragedColumns)
            times += column == description.column ? 1 : 0;
        if (times != (description.reportAveraged ? 1u : 0u))
            return false;
    }
    for (const auto member : kAveragedMembers)
        if (member == nullptr)
            return false;
    return kFormStatistics <= kAveragedColumns.size();
}
} // namespace history_summary_detail
static_assert(history_summary_detail::averagesTheColumnsTheTableMarks(),
              "the report averages exactly the columns the column table marks, each a whole number");

struct SkippedLine {
    std::uint64_t line = 0;
    std::string reason;
};

// Whether the rows of a file, in file order, run in time order. A row is out of place when its time is
// earlier than that of a row above it: a newest-first file of n matches has n - 1 rows out of place;
// five matches stamped by a clock an hour behind, five.
struct TimeOrder {
    std::uint64_t outOfPlace = 0;
    std::uint64_t firstOutOfPlaceLine = 0; // 0 while every row is in place
    std::int64_t latest = std::numeric_limits<std::int64_t>::min();

    void see(std::int64_t time, std::uint64_t line) {
        if (time >= latest) {
            latest = time;
        } else if (outOfPlace++ == 0) {
            firstOutOfPlaceLine = line;
        }
    }
};

// How many matches, and how many of them were won and lost.
struct MatchTally {
    std::uint64_t matches = 0;
    std::uint64_t wins = 0;
    std::uint64_t losses = 0;

    void count(bool win) {
        ++matches;
        ++(win ? wins : losses);
    }
};

// A playlist within one period.
struct PlaylistPeriod : MatchTally {
    // Its current rating minus its rating as it stood when the period began: after its last match
    // before, else before its first match since; 0 without a match in the period.
    std::int32_t ratingChange = 0;
    // The highest of the ratings before and after its matches in the period.
    std::optional<std::int32_t> peakRating;
};

struct PeriodSummary : MatchTally {
    std::int64_t days = 0;
};

struct PlaylistSummary : MatchTally {
    std::string name;
    bool ranked = false; // as its newest match says
    std::uint64_t mvps = 0;
    std::array<std::int64_t, kAveragedColumns.size()> sums{};
    // The rating after its newest match (statsfile/PlaylistRating.h); where that is unknown, the newest
    // rating before it, and then currentRatingFromBefore says so.
    std::optional<std::int32_t> currentRating;
    bool currentRatingFromBefore = false;
    // The highest rating it reached: of the ratings before and after its matches, the first time it
    // stood that high, at the time of the match after which it stood (for a rating before a match that
    // no match before tells, that match's own).
    std::optional<std::int32_t> peakRating;
    std::int64_t peakRatingTime = 0;
    std::array<PlaylistPeriod, kPeriodDays.size()> periods{}; // as kPeriodDays
    std::int64_t bestWinStreak = 0;
    std::int64_t currentStreak = 0; // +3: three wins in a row; -2: two losses
    std::int64_t lastPlayed = 0;
};

struct SessionRatingChange {
    std::uint32_t playlist = 0; // index into HistorySummary::playlists
    std::int32_t before = 0;    // the rating before the session's first match of that playlist
    std::int32_t last = 0;      // the rating after its last, as far as it is known
};

struct SessionSummary : MatchTally {
    std::uint64_t number = 0; // counting the sessions in time order from 1
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t pointsSum = 0;
    std::vector<SessionRatingChange> ratingChanges;
};

struct RatingPoint {
    std::int64_t time = 0;
    std::uint32_t playlist = 0;
    std::int32_t rating = 0;
    std::uint64_t match = 0; // the match's number in time order, the first being 1
};

// The ratings of one playlist within one time bucket, in time order.
struct RatingBucket {
    std::int64_t start = 0;
    std::uint32_t playlist = 0;
    std::int32_t first = 0;
    std::int32_t last = 0;
    std::int32_t lowest = 0;
    std::int32_t highest = 0;
};

// Rolling averages over the last kFormWindow matches, as they stood after the match at `time`.
struct FormPoint {
    std::int64_t time = 0;
    std::array<double, kFormStatistics> values{};
};

struct HistorySummary : MatchTally {
    std::int64_t now = 0;
    std::int64_t firstMatch = 0;
    std::int64_t lastMatch = 0;
    std::int64_t bestWinStreak = 0;
    std::int64_t currentStreak = 0;
    std::uint64_t skippedCount = 0;
    std::vector<SkippedLine> skipped; // the first kListedSkippedLines
    // The figures are worked out in time order; this says how far the file's own order was from it.
    TimeOrder fileOrder;

    std::array<PeriodSummary, kPeriodDays.size()> periods{}; // as kPeriodDays

    std::vector<PlaylistSummary> playlists; // most played first
    std::uint64_t sessionCount = 0;
    std::vector<SessionSummary> sessions; // newest first, at most kKeptSessions

    // For the charts: buckets of bucketSeconds (oldest first) before the newest points (oldest first).
    std::int64_t bucketSeconds = kSecondsPerDay;
    std::vector<RatingBucket> ratingBuckets;
    std::vector<RatingPoint> ratingPoints;
    std::vector<FormPoint> formBuckets; // the form at each bucket's last match
    std::vector<FormPoint> formPoints;
};
