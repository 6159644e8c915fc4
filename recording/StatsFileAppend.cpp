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

// The file's first line, without its line end; none when it cannot be read or is too long to be a
// header.
std::optional<std::string> firstLine(const fs::path& file) {
    constexpr std::size_t kLongestHeader = 64 * 1024;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    char c = 0;
    while (in.get(c) && c != '\n') {
        if (line.size() == kLongestHeader)
            return std::nullopt;
        line += c;
    }
    if (in.bad())
        return std::nullopt;
    return line;
}

// The layout a row goes into the file in; says in `headerLacks` why when it is not the header's own.
const StatsFileLayout& layoutToAppendIn(const fs::path& file, StatsFileLayout& headerLayout,
                                        std::string& headerLacks) {
    const std::optional<std::string> header = firstLine(file);
    if (header)
        headerLayout = layoutOfHeader(*header);
    if (header && headerLayout.complete())
        return headerLayout;
    headerLacks = !header || headerLayout.namesNone() ? std::string("names none of the columns")
                                                      : "lacks the columns " + headerLayout.missingNames();
    return writtenLayout();
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

AppendResult appendMatchRow(std::ofstream& stream, const fs::path& file, const MatchRow& row) {
    AppendResult result;
    std::error_code error;
    const fs::file_type type = fs::status(file, error).type();
    const bool isNew = type == fs::file_type::not_found;
    // Only a regular file takes rows: a device in its place would swallow them (/dev/null) or never
    // end when read back, and opening a named pipe would hang the game. The row waits instead.
    if (!isNew && type != fs::file_type::regular && type != fs::file_type::none)
        return result;
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
    StatsFileLayout headerLayout;
    const StatsFileLayout& layout =
        needsHeader ? writtenLayout() : layoutToAppendIn(file, headerLayout, result.headerLacks);
    const bool lastLineOpen = sizeBefore && *sizeBefore > 0 && !endsWithLineFeed(file);
    // Appended rather than written as "\n" + row: GCC 12 at -O3 reports a false -Wrestrict overlap
    // inside the string insert that the latter compiles to.
    std::string line = lastLineOpen ? "\n" : "";
    line += rowLine(columnValues(row), layout);

    result.written =
        (!needsHeader || appendLine(stream, file, writtenHeaderLine())) && appendLine(stream, file, line);
    if (!result.written)
        undoAttempt(file, isNew, sizeBefore);
    return result;
}
