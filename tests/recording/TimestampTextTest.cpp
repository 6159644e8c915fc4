// The tests run with TZ=UTC, so local time is UTC here.
#include "recording/TimestampText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(TimestampText, IsTwentyFourHourTimeThenMonthDayAndTwoDigitYear) {
    EXPECT_EQ(timestampText(1765141509), "21:05:09 12/07/25");
    EXPECT_EQ(timestampText(0), "00:00:00 01/01/70");
    EXPECT_EQ(timestampText(946684799), "23:59:59 12/31/99");
    EXPECT_EQ(timestampText(946684800), "00:00:00 01/01/00");
}

TEST(TimestampText, HandlesMomentsBeyond2038) {
    EXPECT_EQ(timestampText(2147483648LL), "03:14:08 01/19/38");
    EXPECT_EQ(timestampText(4102444800LL), "00:00:00 01/01/00"); // 2100-01-01
}

TEST(TimestampText, IgnoresTheLocaleTheHostChose) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    // Whichever of these the system offers; the text must not change with it.
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "German_Germany.1252", "C.UTF-8", ""}) {
        if (std::setlocale(LC_ALL, name) == nullptr)
            continue;
        EXPECT_EQ(timestampText(1765141509), "21:05:09 12/07/25") << "locale " << name;
    }
    std::setlocale(LC_ALL, before.c_str());
}
