// The columns characters take on screen, from the table generated from the Unicode data.
#include "toolkit/ScreenWidth.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenWidth, CharactersOfEveryKindTakeTheColumnsATerminalGivesThem) {
    for (char32_t code = 0x20; code < 0x7F; ++code)
        EXPECT_EQ(screenColumns(code), 1) << static_cast<unsigned>(code);
    const struct {
        char32_t code;
        int columns;
    } known[] = {
        {U'\u00E9', 1},     // é
        {U'\u00AD', 1},     // the soft hyphen, shown
        {U'\u0301', 0},     // a combining acute accent
        {U'\u20DD', 0},     // an enclosing circle
        {U'\u200B', 0},     // a zero-width space
        {U'\u200D', 0},     // the zero-width joiner of emoji sequences
        {U'\uFE0F', 0},     // the emoji presentation selector
        {U'\u1160', 0},     // a Hangul vowel joining a syllable
        {U'\u1100', 2},     // a Hangul initial consonant
        {U'\uAC00', 2},     // a Hangul syllable
        {U'\u4E00', 2},     // a CJK ideograph
        {U'\u6392', 2},     // 排
        {U'\u3042', 2},     // Hiragana あ
        {U'\uFF21', 2},     // a fullwidth A
        {U'\uFF76', 1},     // a halfwidth Katakana
        {U'\U0001F600', 2}, // 😀
        {U'\U0001F3C6', 2}, // 🏆
        {U'\u2603', 1},     // ☃ without emoji presentation
        {U'\U00020000', 2}, // a CJK ideograph beyond the basic plane
        {U'\u0410', 1},     // Cyrillic А
        {U'\u05D0', 1},     // Hebrew א
    };
    for (const auto& character : known)
        EXPECT_EQ(screenColumns(character.code), character.columns)
            << std::hex << static_cast<unsigned>(character.code);
}

TEST(ScreenWidth, TheGeneratedRunsAreSortedApartAndNeverOverlapOneAnother) {
    for (const auto ranges : {rangesOfNoColumns(), rangesOfTwoColumns()}) {
        ASSERT_GT(ranges.size(), 50u);
        for (std::size_t at = 0; at < ranges.size(); ++at) {
            EXPECT_LE(ranges[at].first, ranges[at].last);
            EXPECT_LE(ranges[at].last, U'\U0010FFFF');
            if (at > 0) {
                EXPECT_GT(ranges[at].first, ranges[at - 1].last + 1) << "neighbouring runs are joined";
            }
        }
    }
}

} // namespace
