// Text forms of the values a match row holds, as the stats file stores them.
#pragma once

#include <cstdint>
#include <string>

// A value as one field of a line: every line break (CR or LF) inside it becomes a blank, so a value
// can never split a row. Commas stay; the reader copes with them.
std::string fieldText(std::string value);

// The skill rating as the whole number the file keeps: truncated toward zero. A rating that is not a
// number counts as 0, and one beyond the 32-bit range is held at its nearest end.
std::int32_t wholeRating(float rating);
