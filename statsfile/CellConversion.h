// Numbers from the cells of a stats-file line. A cell is read from its start: leading white space is
// skipped, a "+" or "-" may follow, then the decimal digits up to the first other character; whatever
// comes after them is ignored ("12abc" is 12, "1.5" is 1). A cell without digits there, or whose value
// does not fit, gives no number instead of an error, so a damaged line never stops a refresh.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A signed 32-bit value: -2147483648 to 2147483647.
std::optional<std::int32_t> cellToInt(std::string_view cell);

// An unsigned 64-bit value: 0 to 18446744073709551615 in magnitude; a "-" negates it modulo 2^64, as
// the standard unsigned conversion does ("-1" is 18446744073709551615).
std::optional<std::uint64_t> cellToTime(std::string_view cell);
