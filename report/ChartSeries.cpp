#include "report/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Folds `later` (a bucket of ratings that came after) into `earlier`.
void mergeRatings(RatingBucket& earlier, const RatingBucket& later) {
    earlier.last = later.last;
    earlier.lowest = std::min(earlier.lowest, later.lowest);
    earlier.highest = std::max(earlier.highest, later.highest);
}

// Two decimals are all a chart shows; fewer digits keep the page small.
FormPoint formPoint(std::int64_t time, const FormSums& form) {
    FormPoint point{time, {}};
    for (std::size_t which = 0; which < kFormStatistics; ++which)
        point.values[which] =
            std::round(static_cast<double>(form.sums[which]) * 100.0 / static_cast<double>(form.count)) /
            100.0;
    return point;
}

} // namespace

void ChartSeries::add(std::uint64_t number, std::int64_t time, std::uint32_t playlist,
                      std::optional<std::int32_t> previousAfter, std::optional<std::int32_t> after,
                      std::optional<std::int32_t> standing, const FormSums& form) {
    if (untold_.size() <= playlist)
        untold_.resize(playlist + 1);
    // This match tells the rating after the playlist's previous one, or it stays untold for good.
    if (const std::optional<Untold> previous = std::exchange(untold_[playlist], std::nullopt);
        previous && previousAfter)
        tell(*previous, playlist, *previousAfter);
    if (!after)
        untold_[playlist] = Untold{number, time, standing};

    const Match match{number, time, playlist, after.value_or(0), after.has_value(), form};
    // A ring of the newest matches: the oldest makes room for the new one by going into its bucket.
    if (recent_.size() < kFullDetailMatches) {
        recent_.push_back(match);
        return;
    }
    Match& oldest = recent_[oldest_];
    fold(oldest);
    oldest = match;
    oldest_ = (oldest_ + 1) % kFullDetailMatches;
}

void ChartSeries::tell(const Untold& untold, std::uint32_t playlist, std::int32_t rating) {
    // The ring holds consecutive numbers, its oldest at oldest_.
    const std::uint64_t oldestHeld = recent_[oldest_].number;
    if (untold.number >= oldestHeld) {
        Match& held = recent_[(oldest_ + (untold.number - oldestHeld)) % recent_.size()];
        held.rating = rating;
        held.rated = true;
        return;
    }
    // Folded meanwhile: nothing of its playlist came into its bucket after it.
    lastBucket_ = nullptr;
    foldRating(buckets_[untold.time / width_], playlist, rating);
    if (buckets_.size() > kMostBuckets)
        widenBuckets();
}

void ChartSeries::foldRating(Bucket& bucket, std::uint32_t playlist, std::int32_t rating) {
    const auto same = std::find_if(bucket.ratings.begin(), bucket.ratings.end(),
                                   [&](const RatingBucket& ratings) { return ratings.playlist == playlist; });
    const RatingBucket one{0, playlist, rating, rating, rating, rating};
    if (same == bucket.ratings.end())
        bucket.ratings.push_back(one);
    else
        mergeRatings(*same, one);
}

void ChartSeries::fold(const Match& match) {
    // Neighbouring matches mostly share their bucket.
    const std::int64_t key = match.time / width_;
    if (key != lastKey_ || !lastBucket_) {
        lastBucket_ = &buckets_[key];
        lastKey_ = key;
    }
    Bucket& bucket = *lastBucket_;
    if (match.time >= bucket.formTime) {
        bucket.formTime = match.time;
        bucket.form = match.form;
    }
    if (match.rated)
        foldRating(bucket, match.playlist, match.rating);
    if (buckets_.size() > kMostBuckets)
        widenBuckets();
}

// Doubles the bucket width, merging each pair of neighbours.
void ChartSeries::widenBuckets() {
    std::map<std::int64_t, Bucket> wider;
    for (auto& [key, bucket] : buckets_) {
        auto [merged, fresh] = wider.try_emplace(key / 2, std::move(bucket));
        if (fresh)
            continue;
        Bucket& into = merged->second;
        if (bucket.formTime >= into.formTime) {
            into.formTime = bucket.formTime;
            into.form = bucket.form;
        }
        for (const RatingBucket& ratings : bucket.ratings) {
            const auto same =
                std::find_if(into.ratings.begin(), into.ratings.end(),
                             [&](const RatingBucket& r) { return r.playlist == ratings.playlist; });
            if (same == into.ratings.end())
                into.ratings.push_back(ratings);
            else
                mergeRatings(*same, ratings);
        }
    }
    buckets_ = std::move(wider);
    width_ *= 2;
    lastBucket_ = nullptr;
}

void ChartSeries::finish(HistorySummary& summary, std::span<const std::uint32_t> newIndex) {
    // A playlist's newest match still untold is drawn at the rating that stands.
    for (std::uint32_t playlist = 0; playlist < untold_.size(); ++playlist)
        if (untold_[playlist] && untold_[playlist]->standing)
            tell(*untold_[playlist], playlist, *untold_[playlist]->standing);
    untold_.clear();
    summary.bucketSeconds = width_;
    for (auto& [key, bucket] : buckets_) {
        for (RatingBucket ratings : bucket.ratings) {
            ratings.start = key * width_;
            ratings.playlist = newIndex[ratings.playlist];
            summary.ratingBuckets.push_back(ratings);
        }
        if (bucket.formTime >= 0)
            summary.formBuckets.push_back(formPoint(bucket.formTime, bucket.form));
    }
    std::rotate(recent_.begin(), recent_.begin() + static_cast<std::ptrdiff_t>(oldest_), recent_.end());
    for (const Match& match : recent_) {
        if (match.rated)
            summary.ratingPoints.push_back(
                RatingPoint{match.time, newIndex[match.playlist], match.rating, match.number});
        summary.formPoints.push_back(formPoint(match.time, match.form));
    }
    buckets_.clear();
    recent_.clear();
    oldest_ = 0;
}
