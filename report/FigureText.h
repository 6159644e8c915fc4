// How the console writes a figure; the page's script (report/page/report.js) follows the same rules, so
// the two show every figure alike:
// - whole numbers with a comma between thousands: 1,183;
// - a share as a percentage with one decimal, and an average with the decimals it is shown with, both
//   rounded half away from zero from the exact fraction of the whole numbers (1 of 16 is 6.3%);
// - a count with its noun, singular for one: "1 win", "2 wins".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string groupedNumber(std::int64_t number);

// `part` of `whole` as "6.3%"; "-" without a whole.
std::string percentText(std::uint64_t part, std::uint64_t whole);

// "1 match", "1,000 matches".
std::string countText(std::uint64_t count, std::string_view one, std::string_view many);

// A text from the file made safe to show anywhere: a control character or a byte that is not UTF-8
// becomes "\xNN" (its value in hex), so a NUL or an escape sequence can neither hide nor act.
std::string visibleText(std::string_view text);
