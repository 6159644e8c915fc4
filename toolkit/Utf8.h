// Reading UTF-8 one character at a time, for the programs that show text from the stats file (titles
// may hold any bytes): each decides what a byte that starts no character becomes.
#pragma once

#include <cstddef>
#include <string_view>

struct Utf8Character {
    std::size_t length = 0; // bytes; 0 when the text does not start with a well-formed character
    char32_t code = 0;
};

// The character at the start of `text`. Not one (length 0): an empty text, a stray continuation byte,
// a lead byte that starts nothing, a sequence cut short, an overlong form, a UTF-16 surrogate or a value
// past U+10FFFF.
Utf8Character utf8CharacterAt(std::string_view text);
