#include "hostsim/picture/Utf8Text.h"

#include <gtest/gtest.h>

using picture::decodeUtf8;

TEST(Utf8Text, DecodesEveryLengthOfSequence) {
    EXPECT_EQ(decodeUtf8("A\xc3\xa9\xe2\x82\xac\xf0\x9f\x8f\x86"),
              (std::u32string{U'A', U'\u00e9', U'\u20ac', U'\U0001F3C6'}));
    EXPECT_EQ(decodeUtf8(""), std::u32string());
}

TEST(Utf8Text, TurnsEachByteThatStartsNoCharacterIntoOneReplacement) {
    const char32_t r = picture::kReplacementCharacter;
    EXPECT_EQ(decodeUtf8("a\xff"
                         "b"),
              (std::u32string{U'a', r, U'b'}));
    EXPECT_EQ(decodeUtf8("\xe2\x82"), (std::u32string{r, r})) << "cut short";
    EXPECT_EQ(decodeUtf8("\xc0\xaf"), (std::u32string{r, r})) << "overlong slash";
    EXPECT_EQ(decodeUtf8("\xe0\x80\xaf"), (std::u32string{r, r, r})) << "overlong in three bytes";
    EXPECT_EQ(decodeUtf8("\xed\xa0\x80"), (std::u32string{r, r, r})) << "a UTF-16 surrogate";
    EXPECT_EQ(decodeUtf8("\xf4\x90\x80\x80"), (std::u32string{r, r, r, r})) << "beyond U+10FFFF";
    EXPECT_EQ(decodeUtf8("\x80z"), (std::u32string{r, U'z'})) << "a lone continuation byte";
    EXPECT_EQ(decodeUtf8(std::string("\0x", 2)), (std::u32string{U'\0', U'x'}));
}
