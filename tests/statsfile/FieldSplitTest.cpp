// Splitting lines into fields, and giving a playlist title's commas back to it.
#include "statsfile/FieldSplit.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split(std::string_view line, std::size_t room = 15, std::size_t joinPosition = 7,
                               char separator = ',') {
    std::array<std::string_view, 32> fields;
    std::string unquoted;
    const std::size_t count =
        splitFields(line, separator, std::span(fields.data(), room), joinPosition, unquoted);
    return {fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(count)};
}

using Fields = std::vector<std::string>;

} // namespace

TEST(FieldSplit, KeepsEmptyFieldsButStartsNoneAfterAFinalComma) {
    EXPECT_EQ(split(""), Fields{});
    EXPECT_EQ(split("5"), Fields{"5"});
    EXPECT_EQ(split("5,,7"), (Fields{"5", "", "7"}));
    EXPECT_EQ(split(","), Fields{""});
    EXPECT_EQ(split("5,6,"), (Fields{"5", "6"}));
    EXPECT_EQ(split("5,6,,"), (Fields{"5", "6", ""}));
    EXPECT_EQ(split(",5"), (Fields{"", "5"}));
}

TEST(FieldSplit, JoinsSurplusFieldsBackIntoThePlaylistTitle) {
    const std::string row =
        "2,1,3,1050,0,3,1,Rumble, Hoops, and Snow,450,1,4,6,1733600000,21:05:09 12/07/26,1";
    EXPECT_EQ(split(row), (Fields{"2", "1", "3", "1050", "0", "3", "1", "Rumble, Hoops, and Snow", "450", "1",
                                  "4", "6", "1733600000", "21:05:09 12/07/26", "1"}));
    // Empty pieces of the title survive too.
    EXPECT_EQ(split("a,b,,,c", 3, 1), (Fields{"a", "b,,", "c"}));
    EXPECT_EQ(split("a,b,c,d", 3, 0), (Fields{"a,b", "c", "d"}));
    EXPECT_EQ(split("a,b,c,d", 3, 2), (Fields{"a", "b", "c,d"}));
}

TEST(FieldSplit, DropsTheSurplusWhenNoFieldTakesIt) {
    EXPECT_EQ(split("a,b,c,d,e", 3, 3), (Fields{"a", "b", "c"}));
    EXPECT_EQ(split("a,b,c", 3, 3), (Fields{"a", "b", "c"}));
}

TEST(FieldSplit, QuotedFieldsHoldSeparatorsAndDoubledQuotes) {
    EXPECT_EQ(split("1,\"Hoops, Snow\",3", 15, 7), (Fields{"1", "Hoops, Snow", "3"}));
    EXPECT_EQ(split("\"Say \"\"hi\"\"\",2", 15, 7), (Fields{"Say \"hi\"", "2"}));
    EXPECT_EQ(split("\"\",\"\"", 15, 7), (Fields{"", ""}));
    EXPECT_EQ(split("\"a,\"", 15, 7), Fields{"a,"}) << "a separator inside quotes at the very end";
    EXPECT_EQ(split("\"open, never closed", 15, 7), Fields{"open, never closed"});
    EXPECT_EQ(split("\"x\"tail,2", 15, 7), (Fields{"xtail", "2"})) << "what follows the closing quote stays";
    EXPECT_EQ(split("a \"b\" c,2", 15, 7), (Fields{"a \"b\" c", "2"})) << "a quote inside a field is text";
    // A quoted field with a separator is one field, so it gives no surplus to join.
    EXPECT_EQ(split("a,\"b,c\",d", 3, 1), (Fields{"a", "b,c", "d"}));
}

TEST(FieldSplit, SemicolonsSeparateLikeCommas) {
    EXPECT_EQ(split("5;;7", 15, 7, ';'), (Fields{"5", "", "7"}));
    EXPECT_EQ(split("1,5;Hoops, Snow;2", 15, 7, ';'), (Fields{"1,5", "Hoops, Snow", "2"}));
    EXPECT_EQ(split("a;b;c;d", 3, 1, ';'), (Fields{"a", "b;c", "d"}));
    EXPECT_EQ(split("a;\"b;c\";d;", 15, 7, ';'), (Fields{"a", "b;c", "d"}));
}
