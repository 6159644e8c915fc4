// Appending one match row to a stats file, in the file's own layout, so that a failed attempt leaves
// the file as it was.
#pragma once

#include "recording/RowText.h"

#include <filesystem>
#include <fstream>
#include <string>

struct AppendResult {
    bool written = false;
    // When the file's first line does not name every column: which it lacks ("Ranked, Win"), or that it
    // names none. The row then went in the plugin's own order. Empty otherwise.
    std::string headerLacks;
    // When the file is no text the layout rule reads (a workbook saved under its name, UTF-16 without a
    // byte-order mark): what it is instead and what to do, to follow the file's name. Nothing was written.
    std::string refusal;
};

// Appends `row` as one line to `file` through `stream`, in the form of the text the file holds
// (statsfile/TextForm.h): its encoding, its byte-order mark kept, its line end. A file that does not
// exist yet, or holds no character (empty, or only a byte-order mark), gets the header first, in a pass
// of its own, and the row in the plugin's own layout; a new file is UTF-8 with the line end a text-mode
// stream writes here (CR LF on Windows). A file whose header names every column gets the row in the
// header's layout: its order, its separator, its quoting, and an empty field for each column of its own.
// Any other file gets the row in the plugin's own order, separated as its header is, and the result says
// what its header lacks. A file whose last line has no line end gets one first, so the row starts a line
// of its own. A file that is no text is not touched at all, and the result says what it is; nor is one
// that cannot be read just now (its form unknown), which a later attempt writes to. When not
// everything was written, the file is cut back to what it held before (or removed again if this attempt
// created it), so a later attempt never leaves half a line or a second header behind. Never throws on
// file errors; `stream` is closed again either way.
AppendResult appendMatchRow(std::ofstream& stream, const std::filesystem::path& file, const MatchRow& row);
