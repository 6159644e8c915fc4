// The rating rule, match by match: before, after, and the rating now, for files with and without the
// rating after each match.
#include "statsfile/PlaylistRating.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MatchRecord rated(std::int32_t before, std::int32_t after = 0) {
    MatchRecord match;
    match.rating = before;
    match.ratingAfter = after;
    return match;
}

struct Told {
    std::optional<std::int32_t> before, previousAfter, after;
    bool operator==(const Told&) const = default;
};

std::vector<Told> taken(PlaylistRating& rating, const std::vector<MatchRecord>& matches) {
    std::vector<Told> told;
    for (const MatchRecord& match : matches) {
        const PlaylistRating::Step step = rating.take(match);
        told.push_back({step.before, step.previousAfter, step.after});
    }
    return told;
}

} // namespace

TEST(PlaylistRating, ARowWithTheRatingAfterTellsItAtOnce) {
    PlaylistRating rating;
    // A loss 1201 -> 1192, then a win 1192 -> 1202.
    EXPECT_EQ(taken(rating, {rated(1201, 1192), rated(1192, 1202)}),
              (std::vector<Told>{{1201, std::nullopt, 1192}, {1192, std::nullopt, 1202}}));
    EXPECT_EQ(rating.latest(), 1202);
    EXPECT_FALSE(rating.latestIsFromBefore());
}

// An older file holds only the rating before each match: the next match's tells the one after.
TEST(PlaylistRating, WithoutItTheNextMatchTellsTheRatingAfterAndTheNewestStandsFromBefore) {
    PlaylistRating rating;
    EXPECT_EQ(taken(rating, {rated(1201), rated(1192), rated(1202)}),
              (std::vector<Told>{{1201, std::nullopt, std::nullopt},
                                 {1192, 1192, std::nullopt},
                                 {1202, 1202, std::nullopt}}));
    EXPECT_EQ(rating.latest(), 1202);
    EXPECT_TRUE(rating.latestIsFromBefore());
    EXPECT_TRUE(rating.afterUnknown());
}

TEST(PlaylistRating, ARowWithoutARatingBorrowsTheNewestAndTellsNothingOfTheOneBefore) {
    PlaylistRating rating;
    // The second row was written before any rating was read since the plugin loaded.
    EXPECT_EQ(taken(rating, {rated(1000), rated(0), rated(1016, 1025)}),
              (std::vector<Told>{{1000, std::nullopt, std::nullopt},
                                 {1000, std::nullopt, std::nullopt},
                                 {1016, 1016, 1025}}));
    EXPECT_EQ(rating.latest(), 1025);
    EXPECT_FALSE(rating.latestIsFromBefore());
}

TEST(PlaylistRating, AnAnnouncementTooLateForTheRowLeavesTheNewestMatchsRatingBeforeStanding) {
    PlaylistRating rating;
    taken(rating, {rated(900, 910), rated(910)});
    EXPECT_EQ(rating.latest(), 910);
    EXPECT_TRUE(rating.latestIsFromBefore());
}

TEST(PlaylistRating, APlaylistWithoutAnyRatingHasNone) {
    PlaylistRating rating;
    EXPECT_EQ(rating.latest(), std::nullopt);
    EXPECT_FALSE(rating.latestIsFromBefore());
    EXPECT_EQ(taken(rating, {rated(0), rated(-5)}),
              (std::vector<Told>{{std::nullopt, std::nullopt, std::nullopt},
                                 {std::nullopt, std::nullopt, std::nullopt}}));
    EXPECT_EQ(rating.latest(), std::nullopt);
    EXPECT_FALSE(rating.latestIsFromBefore()) << "nothing stands";
}
