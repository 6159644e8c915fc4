// The player's own table of rating bands (the ranks of a season), which the report and the live view
// read alike (--bands FILE). No thresholds ship with Tallyglass: they change every season.
//
// The file is CSV with the header Playlist,Band,From: one band a line, in any order. A band of a playlist
// starts at the whole rating From and lasts until the playlist's next band's From; a rating below its
// playlist's lowest From is in no band. The separator is the header's (",", or ";" or a tab as
// spreadsheets in other settings save); fields may be quoted as spreadsheets quote them; blanks around a
// field are not part of it; empty lines, and empty fields after the third, are nothing.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A bands file that cannot be used: "FILE:LINE: what is wrong" ("FILE: ..." for the file as a whole).
class BandsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a rating stands among its playlist's bands.
struct BandStanding {
    std::string name;
    std::int32_t from = 0;
    // The band above, none in the top band; toNext is its From minus the rating.
    std::optional<std::string> nextName;
    std::optional<std::int32_t> nextFrom;
    std::optional<std::int64_t> toNext;

    bool operator==(const BandStanding&) const = default;
};

class RatingBands {
public:
    // Throws BandsFileError; `shownName` is how its messages name the file.
    static RatingBands read(const std::filesystem::path& file, const std::string& shownName);
    static RatingBands parse(std::string_view text, const std::string& shownName);

    // The band of `rating` in `playlist`; none without a rating (0 or below is none), without bands for
    // the playlist, or below its lowest.
    std::optional<BandStanding> standing(std::string_view playlist, std::optional<std::int32_t> rating) const;

    bool empty() const { return bands_.empty(); }

private:
    struct Band {
        std::string name;
        std::int32_t from = 0;
        std::uint64_t line = 0;
    };
    std::map<std::string, std::vector<Band>, std::less<>> bands_; // each playlist's from the lowest up
};

// The standing as the JSON files write it: {"name", "from", "nextName", "nextFrom", "toNext"}, or null.
nlohmann::ordered_json bandJson(const std::optional<BandStanding>& standing);
