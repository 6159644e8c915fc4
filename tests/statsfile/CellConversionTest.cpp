// Cell texts to numbers: the leading number is taken, anything else gives no number instead of an error.
#include "statsfile/CellConversion.h"

#include <gtest/gtest.h>

#include <optional>

TEST(CellToInt, TakesTheLeadingDecimalNumber) {
    EXPECT_EQ(cellToInt("12"), 12);
    EXPECT_EQ(cellToInt("12abc"), 12);
    EXPECT_EQ(cellToInt("1.5"), 1);
    EXPECT_EQ(cellToInt(" -3"), -3);
    EXPECT_EQ(cellToInt("\t\r\n+7 points"), 7);
    EXPECT_EQ(cellToInt("0"), 0);
    EXPECT_EQ(cellToInt("-0"), 0);
    EXPECT_EQ(cellToInt("0000000000000000000000042"), 42);
    EXPECT_EQ(cellToInt("1\r"), 1);
}

TEST(CellToInt, GivesNoNumberWithoutDigitsAtTheStart) {
    for (const char* cell : {"", " ", "+", "-", "+-3", "- 3", "abc", "null", "Ranked", ".5", "x12"})
        EXPECT_EQ(cellToInt(cell), std::nullopt) << '"' << cell << '"';
}

TEST(CellToInt, GivesNoNumberOutsideThe32BitRange) {
    EXPECT_EQ(cellToInt("2147483647"), 2147483647);
    EXPECT_EQ(cellToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(cellToInt("2147483648"), std::nullopt);
    EXPECT_EQ(cellToInt("-2147483649"), std::nullopt);
    EXPECT_EQ(cellToInt("4294967297"), std::nullopt); // would wrap to 1 if truncated
    EXPECT_EQ(cellToInt("99999999999999999999999"), std::nullopt);
}

TEST(CellToTime, ReadsUnsigned64BitValuesAndNegatesModulo2To64) {
    EXPECT_EQ(cellToTime("1733600000"), 1733600000u);
    EXPECT_EQ(cellToTime(" 1733600000 UTC"), 1733600000u);
    EXPECT_EQ(cellToTime("18446744073709551615"), UINT64_MAX);
    EXPECT_EQ(cellToTime("-1"), UINT64_MAX);
    EXPECT_EQ(cellToTime("-18446744073709551615"), 1u);
    EXPECT_EQ(cellToTime("+5"), 5u);
    EXPECT_EQ(cellToTime("18446744073709551616"), std::nullopt);
    EXPECT_EQ(cellToTime("-18446744073709551616"), std::nullopt);
    EXPECT_EQ(cellToTime(""), std::nullopt);
    EXPECT_EQ(cellToTime("Time"), std::nullopt);
    EXPECT_EQ(cellToTime("-"), std::nullopt);
}
