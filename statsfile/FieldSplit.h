// Splits a stats-file line into its fields.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Writes the fields of `line` into `fields` and returns how many there are. A field is everything up to
// the next `separator` or the end: "5,,7" has three fields, a separator at the very end starts no further
// field, and an empty line has none. A field that begins with a double quote is quoted as spreadsheets
// quote: it runs to the closing quote, separators inside it belong to it, a doubled quote inside it
// stands for one, and what follows the closing quote up to the next separator is kept after it; such a
// field's text is written into `unquoted` (whose earlier content is dropped) and its view points there.
// Only the playlist title can itself hold separators unquoted (rows written before titles were quoted),
// so when the line has more fields than `fields` has room for, the surplus is joined back, separators
// included, into the field at `joinPosition`, and the fields after it keep their places; with
// `joinPosition` past the last field the surplus is dropped instead.
// The views point into `line` or `unquoted`, valid while both are unchanged.
std::size_t splitFields(std::string_view line, char separator, std::span<std::string_view> fields,
                        std::size_t joinPosition, std::string& unquoted);
