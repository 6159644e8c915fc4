// The rating and form series as the charts draw them. The newest kFullDetailMatches matches are kept one
// point each; older ones are folded into time buckets (a day at first, wider as the history grows, never
// more than kMostBuckets), each holding the first, last, lowest and highest rating of every playlist and
// the form at its last match. So memory and page size stay bounded whatever the history's length.
//
// A match's rating point is its playlist's rating after it (statsfile/PlaylistRating.h). Where the row
// does not tell it, the playlist's next match does, perhaps much later: the point is filled in then, in
// its bucket if it has been folded meanwhile. A playlist's newest match whose rating after stays untold
// is drawn at the rating that stands, the one before it.
#pragma once

#include "report/HistorySummary.h"

#include <cstdint>
#include <map>
#include <optional>
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
    // One match in time order, the `number`-th (counting every match from 1). `previousAfter`: the rating
    // after the playlist's previous match, when this match tells it; `after`: this match's, when its row
    // tells it; `standing`: the playlist's rating as it stands after this match.
    void add(std::uint64_t number, std::int64_t time, std::uint32_t playlist,
             std::optional<std::int32_t> previousAfter, std::optional<std::int32_t> after,
             std::optional<std::int32_t> standing, const FormSums& form);

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

    // A playlist's newest match, whose rating after its next match is to tell.
    struct Untold {
        std::uint64_t number = 0;
        std::int64_t time = 0;
        std::optional<std::int32_t> standing;
    };

    void fold(const Match& match);
    void foldRating(Bucket& bucket, std::uint32_t playlist, std::int32_t rating);
    // The rating after the untold match, told now.
    void tell(const Untold& untold, std::uint32_t playlist, std::int32_t rating);
    void widenBuckets();

    std::vector<Match> recent_; // oldest first from oldest_ on, round the end
    std::size_t oldest_ = 0;
    std::map<std::int64_t, Bucket> buckets_; // by start time / width
    std::int64_t lastKey_ = -1;              // the bucket the previous fold went to
    Bucket* lastBucket_ = nullptr;
    std::int64_t width_ = kSecondsPerDay;
    std::vector<std::optional<Untold>> untold_; // by playlist
};
