#include "toolkit/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The length and code of the character at the start of `bytes`.
std::pair<std::size_t, char32_t> at(const std::string& bytes) {
    const Utf8Character character = utf8CharacterAt(bytes);
    return {character.length, character.code};
}

TEST(Utf8, ReadsTheFirstAndLastCharacterOfEachLength) {
    using Read = std::pair<std::size_t, char32_t>;
    EXPECT_EQ(at(std::string(1, '\0')), (Read{1, 0}));
    EXPECT_EQ(at("\x7f"), (Read{1, 0x7F}));
    EXPECT_EQ(at("\xc2\x80"), (Read{2, 0x80}));
    EXPECT_EQ(at("\xdf\xbf"), (Read{2, 0x7FF}));
    EXPECT_EQ(at("\xe0\xa0\x80"), (Read{3, 0x800}));
    EXPECT_EQ(at("\xed\x9f\xbf"), (Read{3, 0xD7FF})) << "just below the surrogates";
    EXPECT_EQ(at("\xee\x80\x80"), (Read{3, 0xE000})) << "just above them";
    EXPECT_EQ(at("\xef\xbf\xbf"), (Read{3, 0xFFFF}));
    EXPECT_EQ(at("\xf0\x90\x80\x80"), (Read{4, 0x10000}));
    EXPECT_EQ(at("\xf4\x8f\xbf\xbf"), (Read{4, 0x10FFFF}));
    EXPECT_EQ(at("\xc3\xa9rest"), (Read{2, 0xE9})) << "only the first character";
}

TEST(Utf8, BytesThatStartNoCharacterAreNone) {
    const char* const none[] = {
        "",                 // nothing
        "\x80",             // a continuation byte alone
        "\xbf",             //
        "\xc0\x80",         // overlong forms
        "\xc1\xbf",         //
        "\xe0\x9f\xbf",     //
        "\xf0\x8f\xbf\xbf", //
        "\xed\xa0\x80",     // UTF-16 surrogates
        "\xed\xbf\xbf",     //
        "\xf4\x90\x80\x80", // past U+10FFFF
        "\xf5\x80\x80\x80", //
        "\xff",             // bytes UTF-8 never uses
        "\xfe",             //
        "\xe2\x82",         // cut short
        "\xf0\x9f\x8f",     //
        "\xc3(",            // a lead byte followed by no continuation
        "\xe2(\xac",        //
    };
    for (const char* bytes : none)
        EXPECT_EQ(utf8CharacterAt(bytes).length, 0u) << testing::PrintToString(std::string(bytes));
}

} // namespace
