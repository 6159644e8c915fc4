#include "recording/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FieldText, TurnsEveryLineBreakIntoOneBlankAndKeepsCommas) {
    EXPECT_EQ(fieldText("Ranked\nDoubles"), "Ranked Doubles");
    EXPECT_EQ(fieldText("Ranked\r\nDoubles"), "Ranked  Doubles");
    EXPECT_EQ(fieldText("\rChaos\n"), " Chaos ");
    EXPECT_EQ(fieldText("Casual, Chaos"), "Casual, Chaos");
    EXPECT_EQ(fieldText(""), "");
}

TEST(WholeRating, TruncatesTowardZero) {
    EXPECT_EQ(wholeRating(1234.99f), 1234);
    EXPECT_EQ(wholeRating(-0.5f), 0);
    EXPECT_EQ(wholeRating(-1234.99f), -1234);
    EXPECT_EQ(wholeRating(0.0f), 0);
    EXPECT_EQ(wholeRating(-0.0f), 0);
}

TEST(WholeRating, HoldsValuesBeyondTheIntegerRangeAtItsEnds) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    // The largest float below 2^31 still fits; 2^31 itself does not.
    EXPECT_EQ(wholeRating(2147483520.0f), 2147483520);
    EXPECT_EQ(wholeRating(2147483648.0f), kMax);
    EXPECT_EQ(wholeRating(1e30f), kMax);
    EXPECT_EQ(wholeRating(std::numeric_limits<float>::infinity()), kMax);
    EXPECT_EQ(wholeRating(-2147483648.0f), kMin);
    EXPECT_EQ(wholeRating(-2147483904.0f), kMin);
    EXPECT_EQ(wholeRating(-std::numeric_limits<float>::infinity()), kMin);
}

TEST(WholeRating, NotANumberCountsAsZero) {
    EXPECT_EQ(wholeRating(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(wholeRating(-std::numeric_limits<float>::quiet_NaN()), 0);
}
