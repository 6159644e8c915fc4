// Appending one match row to a stats file, so that a failed attempt leaves the file as it was.
#pragma once

#include "recording/RowText.h"

#include <filesystem>
#include <fstream>

// Appends `row` as one line to `file` through `stream` (text mode, so CR LF on Windows), first the
// header in a pass of its own when the file does not exist yet or is empty. A file whose last line has
// no line end gets one first, so the row starts a line of its own. Returns whether everything was
// written; when not, the file is cut back to what it held before (or removed again if this attempt
// created it), so a later attempt never leaves half a line or a second header behind. Never throws on
// file errors; `stream` is closed again either way.
bool appendMatchRow(std::ofstream& stream, const std::filesystem::path& file, const MatchRow& row);
