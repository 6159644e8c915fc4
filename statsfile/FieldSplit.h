// Splits a stats-file line into its comma-separated fields.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// Writes the fields of `line` into `fields` and returns how many there are. A field is everything up to
// the next comma or the end: "5,,7" has three fields, a comma at the very end starts no further field,
// and an empty line has none. Only the playlist title can itself hold commas, so when the line has more
// fields than `fields` has room for, the surplus is joined back, commas included, into the field at
// `joinPosition`, and the fields after it keep their places; with `joinPosition` past the last field
// the surplus is dropped instead.
// The views point into `line`.
std::size_t splitFields(std::string_view line, std::span<std::string_view> fields, std::size_t joinPosition);
