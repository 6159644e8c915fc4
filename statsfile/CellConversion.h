// Numbers from the cells of a stats-file line, by two rules.
//
// Lenient (the scoreboard's tables): a cell is read from its start: leading white space is skipped, a
// "+" or "-" may follow, then the decimal digits up to the first other character; whatever comes after
// them is ignored ("12abc" is 12, "1.5" is 1). A cell without digits there, or whose value does not fit,
// gives no number instead of an error, so a damaged line never stops a refresh.
//
// Strict (the history report and the live view, which must not misread a row silently): the whole cell
// is one number: blanks (spaces or tabs) around it, an optional sign, decimal digits, nothing else. So
// "1.79000E+09", "12abc" and "2" followed by a NUL byte give no number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A signed 32-bit value: -2147483648 to 2147483647.
std::optional<std::int32_t> cellToInt(std::string_view cell);

// An unsigned 64-bit value: 0 to 18446744073709551615 in magnitude; a "-" negates it modulo 2^64, as
// the standard unsigned conversion does ("-1" is 18446744073709551615).
std::optional<std::uint64_t> cellToTime(std::string_view cell);

// Strict: a signed 32-bit value.
std::optional<std::int32_t> strictInt(std::string_view cell);

// Strict: a signed 64-bit value.
std::optional<std::int64_t> strictInt64(std::string_view cell);

// Whether the cell has the strict form of a whole number (blanks, an optional sign, digits), whatever
// its size: tells a number too large for its column from a cell that is no number at all.
bool isWholeNumberText(std::string_view cell);

// The cell without the blanks (spaces, tabs) around it: a title's name is what lies between them.
// Inline: it runs for every row read.
inline std::string_view withoutBlanks(std::string_view cell) {
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t'))
        cell.remove_prefix(1);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t'))
        cell.remove_suffix(1);
    return cell;
}
