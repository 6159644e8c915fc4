// How many columns a character takes in a terminal, for tables on the console that line up whatever
// their texts hold (accents, Chinese, Japanese and Korean characters, emoji). The widths come from the
// Unicode data, in a table generated at build time (toolkit/ScreenWidth.cmake says the rules).
#pragma once

#include <span>
#include <string_view>

// A run of code points, both ends included.
struct CodeRange {
    char32_t first;
    char32_t last;
};

// The generated table: the characters that take no column, and those that take two; each sorted, the
// runs apart from one another.
std::span<const CodeRange> rangesOfNoColumns();
std::span<const CodeRange> rangesOfTwoColumns();

// 0, 1 or 2. A control character takes 1: a table shows it as a stand-in, never as itself.
int screenColumns(char32_t code);
