// The one rule the console and the page write figures by, and texts from the file made safe to show.
#include "report/FigureText.h"

#include <gtest/gtest.h>

namespace {

TEST(FigureText, SharesRoundHalfUpFromTheExactFraction) {
    EXPECT_EQ(percentText(1, 16), "6.3%"); // 6.25: a tie, up
    EXPECT_EQ(percentText(1, 3), "33.3%");
    EXPECT_EQ(percentText(2, 3), "66.7%");
    EXPECT_EQ(percentText(29, 200), "14.5%"); // 14.5 exactly, which 0.145 in binary is not
    EXPECT_EQ(percentText(1, 2001), "0.0%");
    EXPECT_EQ(percentText(16, 16), "100.0%");
    EXPECT_EQ(percentText(0, 0), "-");
}

TEST(FigureText, NumbersAreGroupedByThousandsAndCountsTakeTheirNoun) {
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(1000), "1,000");
    EXPECT_EQ(groupedNumber(-1234567), "-1,234,567");
    EXPECT_EQ(groupedNumber(INT64_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(countText(1, "win", "wins"), "1 win");
    EXPECT_EQ(countText(0, "win", "wins"), "0 wins");
    EXPECT_EQ(countText(2500, "match", "matches"), "2,500 matches");
}

TEST(FigureText, ControlCharactersAndBytesThatAreNotUtf8ShowAsTheirValue) {
    using namespace std::string_literals;
    EXPECT_EQ(visibleText("2\0"s), "2\\x00");
    EXPECT_EQ(visibleText("\x1B[31mred\x7F"), "\\x1B[31mred\\x7F");
    EXPECT_EQ(visibleText("tab\there\r\n"), "tab\\x09here\\x0D\\x0A");
    EXPECT_EQ(visibleText("Ranglisten-Duell \xC3\x84 \xE6\x8E\x92 \xF0\x9F\x8E\xAE"),
              "Ranglisten-Duell \xC3\x84 \xE6\x8E\x92 \xF0\x9F\x8E\xAE");
    EXPECT_EQ(visibleText("12\xFF"), "12\\xFF");
    EXPECT_EQ(visibleText("\xC3"), "\\xC3");                   // cut short
    EXPECT_EQ(visibleText("\xC0\xAF"), "\\xC0\\xAF");          // an overlong "/"
    EXPECT_EQ(visibleText("\xED\xA0\x80"), "\\xED\\xA0\\x80"); // a surrogate
    EXPECT_EQ(visibleText("\xC2\x9B"
                          "2J"),
              "\\xC2\\x9B2J"); // a C1 control: CSI
}

} // namespace
