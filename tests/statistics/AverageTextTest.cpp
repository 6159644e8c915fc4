// Average texts: two decimals and a "." whatever the locale, "-" when nothing was counted, and sums
// larger than any one statistic.
#include "statistics/AverageText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

TEST(AverageText, TwoDecimalsRounded) {
    EXPECT_EQ(averageText(5, 3), "1.67");
    EXPECT_EQ(averageText(2469, 2), "1234.50");
    EXPECT_EQ(averageText(1050, 1), "1050.00");
    EXPECT_EQ(averageText(-1, 2), "-0.50");
    EXPECT_EQ(averageText(-7, 3), "-2.33");
    EXPECT_EQ(averageText(0, 4), "0.00");
    EXPECT_EQ(averageText(INT32_MIN, 1), "-2147483648.00");
}

TEST(AverageText, NothingCountedReadsAsADash) {
    EXPECT_EQ(averageText(0, 0), "-");
}

namespace {

struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST(AverageText, KeepsThePointUnderADecimalCommaLocale) {
    const std::locale cppBefore = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    // Whichever of these the system has (a bare Linux box may have none: the C++ locale still applies).
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    const std::string text = averageText(246950, 2);
    std::setlocale(LC_ALL, cBefore.c_str());
    std::locale::global(cppBefore);
    EXPECT_EQ(text, "123475.00");
}

TEST(AverageText, SumsBeyondThirtyTwoBitsKeepTheirValue) {
    EXPECT_EQ(averageText(10 * std::int64_t{INT32_MAX}, 10), "2147483647.00");
    EXPECT_EQ(averageText(10 * std::int64_t{INT32_MIN}, 10), "-2147483648.00");
    EXPECT_EQ(averageText(3000000000, 10), "300000000.00");
    EXPECT_EQ(averageText(2 * std::int64_t{INT32_MAX} + 1, 2), "2147483647.50");
}
