#include "recording/StatsFileAppend.h"

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// One open, write, close pass: the text and a line end, flushed. True when every byte reached the file.
bool appendLine(std::ofstream& stream, const fs::path& file, const std::string& text) {
    stream.open(file, std::ios::out | std::ios::app);
    if (!stream.is_open()) {
        stream.clear();
        return false;
    }
    stream << text << '\n';
    stream.flush();
    bool written = !stream.fail();
    stream.close();
    written = written && !stream.fail();
    stream.clear();
    return written;
}

// False only when the last byte can be read and is not a line feed (a file edited by hand).
bool endsWithLineFeed(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in.seekg(-1, std::ios::end))
        return true;
    char last = 0;
    return !in.get(last) || last == '\n';
}

void undoAttempt(const fs::path& file, bool createdNow, std::optional<std::uintmax_t> sizeBefore) {
    std::error_code ignored;
    if (createdNow) {
        if (fs::is_regular_file(file, ignored))
            fs::remove(file, ignored);
    } else if (sizeBefore) {
        fs::resize_file(file, *sizeBefore, ignored);
    }
}

} // namespace

bool appendMatchRow(std::ofstream& stream, const fs::path& file, const MatchRow& row) {
    std::error_code error;
    const fs::file_type type = fs::status(file, error).type();
    const bool isNew = type == fs::file_type::not_found;
    // Only a regular file takes rows: a device in its place would swallow them (/dev/null) or never
    // end when read back, and opening a named pipe would hang the game. The row waits instead.
    if (!isNew && type != fs::file_type::regular && type != fs::file_type::none)
        return false;
    std::optional<std::uintmax_t> sizeBefore;
    if (!isNew) {
        std::uintmax_t size = fs::file_size(file, error);
        if (!error)
            sizeBefore = size;
    }

    // A file that is not there, or is there without a single byte, gets the header first: read back
    // without one, its first row would be taken for the header and every later row misread. A file
    // with content keeps it as it is, header or not; rows are only ever appended.
    const bool needsHeader = isNew || (sizeBefore && *sizeBefore == 0);
    const bool lastLineOpen = sizeBefore && *sizeBefore > 0 && !endsWithLineFeed(file);
    // Appended rather than written as "\n" + row: GCC 12 at -O3 reports a false -Wrestrict overlap
    // inside the string insert that the latter compiles to.
    std::string line = lastLineOpen ? "\n" : "";
    line += valuesLine(row);

    const bool written =
        (!needsHeader || appendLine(stream, file, headerLine(row))) && appendLine(stream, file, line);
    if (!written)
        undoAttempt(file, isNew, sizeBefore);
    return written;
}
