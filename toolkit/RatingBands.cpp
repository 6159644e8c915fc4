#include "toolkit/RatingBands.h"

#include "toolkit/Utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr std::array<std::string_view, 3> kHeader{"Playlist", "Band", "From"};
constexpr std::string_view kHeaderText = "Playlist,Band,From";
constexpr std::uintmax_t kLargestFile = 1024 * 1024;

// A fault at a line of the file.
class LineFault {
public:
    LineFault(const std::string& file, std::uint64_t line)
        : where_(file + ":" + std::to_string(line) + ": ") {}
    [[noreturn]] void operator()(const std::string& what) const { throw BandsFileError(where_ + what); }

private:
    std::string where_;
};

bool isBlank(char c, char separator) {
    return c == ' ' || (c == '\t' && separator != '\t');
}

std::string_view trimmed(std::string_view text, char separator) {
    while (!text.empty() && isBlank(text.front(), separator))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back(), separator))
        text.remove_suffix(1);
    return text;
}

// The fields of a line as spreadsheets write them: a field in double quotes holds separators and doubled
// quotes; only blanks may follow its closing quote. None when a quote is left open or text follows it.
std::optional<std::vector<std::string>> fieldsOf(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && isBlank(line[at], separator))
            ++at;
        std::string field;
        std::size_t end = 0;
        if (at < line.size() && line[at] == '"') {
            for (++at;; ++at) {
                if (at >= line.size())
                    return std::nullopt;
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        field += '"';
                        ++at;
                        continue;
                    }
                    break;
                }
                field += line[at];
            }
            end = std::min(line.find(separator, at + 1), line.size());
            if (!trimmed(line.substr(at + 1, end - at - 1), separator).empty())
                return std::nullopt;
        } else {
            end = std::min(line.find(separator, at), line.size());
            field = std::string(trimmed(line.substr(at, end - at), separator));
        }
        fields.push_back(std::move(field));
        if (end >= line.size())
            return fields;
        at = end + 1;
    }
}

// The header's separator: the one that splits it into exactly the three names.
std::optional<char> separatorOf(std::string_view header) {
    for (const char separator : {',', ';', '\t'}) {
        std::optional<std::vector<std::string>> fields = fieldsOf(header, separator);
        while (fields && fields->size() > kHeader.size() && fields->back().empty())
            fields->pop_back();
        if (fields && std::equal(fields->begin(), fields->end(), kHeader.begin(), kHeader.end()))
            return separator;
    }
    return std::nullopt;
}

// Bytes that are not UTF-8, or a control character other than the separator, end the reading.
void checkText(std::string_view line, char separator, const LineFault& fault) {
    for (std::size_t at = 0; at < line.size();) {
        const Utf8Character character = utf8CharacterAt(line.substr(at));
        if (character.length == 0)
            fault("not UTF-8 text (save the file as CSV UTF-8)");
        const char32_t code = character.code;
        if ((code < 0x20 && code != static_cast<char32_t>(separator)) || (code >= 0x7F && code < 0xA0)) {
            char shown[16];
            std::snprintf(shown, sizeof shown, "U+%04X", static_cast<unsigned>(code));
            fault(std::string("a control character (") + shown + ")");
        }
        at += character.length;
    }
}

std::int32_t wholeRating(const std::string& text, const LineFault& fault) {
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, failure] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || failure != std::errc() || stop != end)
        fault("From is not a whole number: \"" + text + "\"");
    if (value < INT32_MIN || value > INT32_MAX)
        fault("From is out of range: " + text);
    return static_cast<std::int32_t>(value);
}

} // namespace

RatingBands RatingBands::read(const std::filesystem::path& file, const std::string& shownName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw BandsFileError(shownName + ": no such file");
    if (std::filesystem::is_directory(status))
        throw BandsFileError(shownName + ": is a folder, not a bands file");
    if (!std::filesystem::is_regular_file(status))
        throw BandsFileError(shownName + ": is not a regular file");
    if (std::filesystem::file_size(file, error) > kLargestFile && !error)
        throw BandsFileError(shownName + ": larger than 1 MiB; a bands file is a short table");
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        throw BandsFileError(shownName + ": cannot be read");
    return parse(text, shownName);
}

RatingBands RatingBands::parse(std::string_view text, const std::string& shownName) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    RatingBands bands;
    char separator = ',';
    std::uint64_t number = 0;
    for (std::size_t start = 0; start < text.size() || number == 0;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        start = end + 1;
        const LineFault fault(shownName, ++number);
        if (number == 1) {
            const std::optional<char> found = separatorOf(line);
            if (!found)
                fault("the first line must be the header " + std::string(kHeaderText));
            separator = *found;
            continue;
        }
        checkText(line, separator, fault);
        std::optional<std::vector<std::string>> fields = fieldsOf(line, separator);
        if (!fields)
            fault("a quoted field is not closed, or text follows its closing quote");
        while (fields->size() > kHeader.size() && fields->back().empty())
            fields->pop_back();
        if (std::all_of(fields->begin(), fields->end(),
                        [](const std::string& field) { return field.empty(); }))
            continue; // an empty line, or a spreadsheet's empty row
        if (fields->size() != kHeader.size())
            fault(std::to_string(fields->size()) +
                  " fields; a band's line has three: " + std::string(kHeaderText));
        const std::string& playlist = (*fields)[0];
        const std::string& name = (*fields)[1];
        if (playlist.empty())
            fault("no playlist");
        if (name.empty())
            fault("the band has no name");
        const std::int32_t from = wholeRating((*fields)[2], fault);
        std::vector<Band>& ofPlaylist = bands.bands_[playlist];
        const auto place =
            std::lower_bound(ofPlaylist.begin(), ofPlaylist.end(), from,
                             [](const Band& band, std::int32_t value) { return band.from < value; });
        if (place != ofPlaylist.end() && place->from == from)
            fault(playlist + " has a band from " + std::to_string(from) + " already (line " +
                  std::to_string(place->line) + ")");
        ofPlaylist.insert(place, Band{name, from, number});
    }
    return bands;
}

std::optional<BandStanding> RatingBands::standing(std::string_view playlist,
                                                  std::optional<std::int32_t> rating) const {
    if (!rating || *rating <= 0)
        return std::nullopt;
    const auto found = bands_.find(playlist);
    if (found == bands_.end())
        return std::nullopt;
    const std::vector<Band>& ofPlaylist = found->second;
    // The first band above the rating; the one before it holds the rating.
    const auto above =
        std::upper_bound(ofPlaylist.begin(), ofPlaylist.end(), *rating,
                         [](std::int32_t value, const Band& band) { return value < band.from; });
    if (above == ofPlaylist.begin())
        return std::nullopt;
    const Band& band = *std::prev(above);
    BandStanding standing{band.name, band.from, std::nullopt, std::nullopt, std::nullopt};
    if (above != ofPlaylist.end()) {
        standing.nextName = above->name;
        standing.nextFrom = above->from;
        standing.toNext = std::int64_t{above->from} - *rating;
    }
    return standing;
}

nlohmann::ordered_json bandJson(const std::optional<BandStanding>& standing) {
    using Json = nlohmann::ordered_json;
    if (!standing)
        return nullptr;
    return Json{
        {"name", standing->name},
        {"from", standing->from},
        {"nextName", standing->nextName ? Json(*standing->nextName) : Json(nullptr)},
        {"nextFrom", standing->nextFrom ? Json(*standing->nextFrom) : Json(nullptr)},
        {"toNext", standing->toNext ? Json(*standing->toNext) : Json(nullptr)},
    };
}
