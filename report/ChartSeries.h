// The rating and form series as the charts draw them. The newest kFullDetailMatches matches are kept one
// point each; older ones are folded into time buckets (a day at first, wider as the history grows, never
// more than kMostBuckets), each holding the first, last, lowest and highest rating of every playlist and
// the form at its last match. So memory and page size stay bounded whatever the history's length.
#pragma once

#include "report/HistorySummary.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

// The sums of the form statistics over the last matches (at most kFormWindow of them): the averages are
// only worked out for the points that are drawn.
struct FormSums {
    std::array<std::int64_t, kFormStatistics> sums{};
    std::uint32_t count = 0;
};

class ChartSeries {
public:
    // One match in time order, the `number`-th; `rated` when it carries a rating of `playlist`.
    void add(std::uint64_t number, std::int64_t time, bool rated, std::uint32_t playlist, std::int32_t rating,
             const FormSums& form);

    // Moves the series into `summary`, renumbering playlists by `newIndex` (old index to new).
    void finish(HistorySummary& summary, std::span<const std::uint32_t> newIndex);

private:
    struct Match {
        std::uint64_t number;
        std::int64_t time;
        std::uint32_t playlist;
        std::int32_t rating;
        bool rated;
        FormSums form;
    };
    struct Bucket {
        std::vector<RatingBucket> ratings; // one per playlist rated in it
        FormSums form;
        std::int64_t formTime = -1;
    };

    void fold(const Match& match);
    void widenBuckets();

    std::vector<Match> recent_; // oldest first from oldest_ on, round the end
    std::size_t oldest_ = 0;
    std::map<std::int64_t, Bucket> buckets_; // by start time / width
    std::int64_t lastKey_ = -1;              // the bucket the previous fold went to
    Bucket* lastBucket_ = nullptr;
    std::int64_t width_ = kSecondsPerDay;
};
