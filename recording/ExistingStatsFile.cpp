#include "recording/ExistingStatsFile.h"

#include "statsfile/LineCutting.h"

#include <fstream>
#include <memory>

namespace {

// The first line of a UTF-16 header of 64 KiB takes twice its bytes.
constexpr std::size_t kFirstBytes = 2 * kLongestHeldLine + 4;

// Catches the file's first line from the line feeder.
struct FirstLine {
    std::optional<std::string> text;
    bool tooLongLine = false;
    void line(std::string_view line) {
        if (!text && !tooLongLine)
            text.emplace(line);
    }
    void tooLong() {
        if (!text)
            tooLongLine = true;
    }
};

// The byte that completes the half of a character a UTF-16 file of `size` bytes ends in, if it ends so.
// Half of the last character was never written. Little-endian, the half there is the low byte: a zero
// high byte makes it the ASCII character it most likely was. Big-endian, the half there is the high byte,
// zero for ASCII: a line feed as the low byte ends the cut line.
std::string completingByte(TextEncoding encoding, std::uintmax_t size) {
    if (size % codeUnitBytes(encoding) == 0)
        return {};
    return encoding == TextEncoding::utf16be ? "\n" : std::string(1, '\0');
}

// The last character of a file of `size` bytes in `encoding`, completed by `completing` when a UTF-16
// file ends in the half of one; none when it cannot be read.
std::optional<std::uint32_t> lastCharacter(std::ifstream& in, std::uintmax_t size, TextEncoding encoding,
                                           const std::string& completing) {
    const std::size_t unit = codeUnitBytes(encoding);
    const std::size_t tailBytes = size % unit != 0 ? 1 : unit;
    if (size < tailBytes)
        return std::nullopt;
    std::string bytes(tailBytes, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(size - tailBytes));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(tailBytes)))
        return std::nullopt;
    if (unit == 1)
        return static_cast<unsigned char>(bytes[0]);
    const bool bigEndian = encoding == TextEncoding::utf16be;
    if (tailBytes == 1)
        bytes += completing;
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = static_cast<unsigned char>(bytes[1]);
    return bigEndian ? (std::uint32_t{first} << 8) | second : (std::uint32_t{second} << 8) | first;
}

} // namespace

ExistingStatsFile examineStatsFile(const std::filesystem::path& file, std::uintmax_t size) {
    ExistingStatsFile examined;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        return examined;
    const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(size, kFirstBytes));
    const auto bytes = std::make_unique_for_overwrite<char[]>(wanted);
    in.read(bytes.get(), static_cast<std::streamsize>(wanted));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.bad())
        return examined;

    FirstLine first;
    BasicLineFeeder<FirstLine> feeder(first);
    try {
        feeder.feed(std::string_view(bytes.get(), got));
        // A whole file read: the byte that completes its last character tells a line end cut in half.
        if (got >= size && feeder.encoding())
            feeder.feed(completingByte(*feeder.encoding(), size));
        if (!first.text && !first.tooLongLine && got >= size)
            feeder.unfinishedAsLine(); // the whole file is one line without a line end
    } catch (const StatsFileError& refusal) {
        examined.kind = ExistingStatsFile::refused;
        examined.refusal = refusal.what();
        return examined;
    }
    if (!feeder.encoding())
        return examined; // the first bytes could not be read whole
    examined.form.encoding = *feeder.encoding();
    examined.form.byteOrderMark = feeder.byteOrderMark();
    examined.form.lineEnd = feeder.lineEnd().value_or(kNativeLineEnd);
    examined.header = first.text;
    examined.firstLineTooLong = first.tooLongLine || (!first.text && got < size);
    examined.holdsNoText =
        size <= (examined.form.byteOrderMark ? byteOrderMarkOf(examined.form.encoding).size() : 0);

    if (!examined.holdsNoText) {
        examined.completingBytes = completingByte(examined.form.encoding, size);
        const std::optional<std::uint32_t> last =
            lastCharacter(in, size, examined.form.encoding, examined.completingBytes);
        if (!last)
            return ExistingStatsFile{};
        // After a CR: the LF of a cut CR LF (a CR line end is whole already).
        if (*last == '\r') {
            if (examined.form.lineEnd != LineEnd::cr)
                examined.lineEndBeforeRow.push_back('\n');
        } else if (*last != '\n')
            examined.lineEndBeforeRow = lineEndText(examined.form.lineEnd);
    }
    examined.kind = ExistingStatsFile::text;
    return examined;
}
