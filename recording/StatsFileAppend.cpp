#include "recording/StatsFileAppend.h"

#include "recording/ExistingStatsFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// One open, write, close pass of `bytes` as they stand, flushed. True when every byte reached the file.
bool appendBytes(std::ofstream& stream, const fs::path& file, const std::string& bytes) {
    stream.open(file, std::ios::out | std::ios::app | std::ios::binary);
    if (!stream.is_open()) {
        stream.clear();
        return false;
    }
    stream << bytes;
    stream.flush();
    bool written = !stream.fail();
    stream.close();
    written = written && !stream.fail();
    stream.clear();
    return written;
}

// The text of one line and its line end, in the file's encoding.
std::string encodedLine(std::string_view text, const TextForm& form) {
    std::string bytes;
    appendEncoded(text, form.encoding, bytes);
    appendEncoded(lineEndText(form.lineEnd), form.encoding, bytes);
    return bytes;
}

// The layout a row goes into a file with this first line in; says in `headerLacks` why when it is not
// the header's own. Rows not in the header's order are in the plugin's own order, separated as the
// header is, so that a spreadsheet still splits them.
StatsFileLayout layoutToAppendIn(const ExistingStatsFile& file, std::string& headerLacks) {
    if (!file.header) {
        headerLacks = file.firstLineTooLong ? "has no line end in its first 64 KiB, so it is no header"
                                            : "names none of the columns";
        return writtenLayout();
    }
    const StatsFileLayout headerLayout = layoutOfHeader(*file.header);
    if (headerLayout.complete())
        return headerLayout;
    headerLacks = headerLayout.namesNone() ? std::string("names none of the columns")
                                           : "lacks the columns " + headerLayout.missingNames();
    StatsFileLayout own = writtenLayout();
    own.separator = headerLayout.separator;
    return own;
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

    // A file with content keeps it as it is, header or not; rows are only ever appended, in its form.
    ExistingStatsFile existing;
    if (sizeBefore && *sizeBefore > 0) {
        existing = examineStatsFile(file, *sizeBefore);
        if (existing.kind == ExistingStatsFile::refused) {
            result.refusal = existing.refusal;
            return result;
        }
        // Its form is unknown while it cannot be read (held by another program): a row in a guessed
        // form could spoil it, so the row waits for a later attempt.
        if (existing.kind == ExistingStatsFile::unreadable)
            return result;
    }
    // A file that is not there, or is there without a single character, gets the header first: read back
    // without one, its first row would be taken for the header and every later row misread.
    const bool needsHeader = isNew || (sizeBefore && *sizeBefore == 0) || existing.holdsNoText;
    const TextForm& form = existing.form;
    const StatsFileLayout layout =
        needsHeader ? writtenLayout() : layoutToAppendIn(existing, result.headerLacks);

    std::string rowBytes = existing.completingBytes;
    appendEncoded(existing.lineEndBeforeRow, form.encoding, rowBytes);
    rowBytes += encodedLine(rowLine(columnValues(row), layout), form);

    result.written = (!needsHeader || appendBytes(stream, file, encodedLine(writtenHeaderLine(), form))) &&
                     appendBytes(stream, file, rowBytes);
    if (!result.written)
        undoAttempt(file, isNew, sizeBefore);
    return result;
}
