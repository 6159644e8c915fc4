// Cuts a stats file, read in blocks, into lines for a RowReader, decoded and cut as
// statsfile/LineCutting.h says (UTF-8 or UTF-16; LF, CR LF or CR). A line may run across blocks; one
// longer than kLongestRowBytes is never held whole.
#pragma once

#include "statsfile/RowReader.h"

#include <functional>
#include <istream>

// Reads the lines of `in` into `reader`, calling `afterBlock` after each block's whole lines; stops
// early when it returns false. Throws StatsFileError when the file cannot be read to its end.
void readLines(std::istream& in, RowReader& reader, const std::function<bool()>& afterBlock);
