#include "live/SessionJson.h"

#include "live/MatchColumns.h"
#include "toolkit/Utf8.h"

namespace {

using Json = nlohmann::ordered_json;

template <class Value> Json orNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

// Every column a match is read from, by its key: a column added to the stats file reaches the JSON.
Json matchJson(const SessionMatch& match) {
    Json json = Json::object();
    for (const StatsColumnDescription& description : kStatsColumns) {
        const MatchField field = matchFieldOf(description.column);
        const std::string key(description.key);
        switch (field.kind) {
        case MatchField::number: {
            const std::int32_t value = match.record.*field.intMember;
            // A rating of 0 or below is none.
            json[key] = description.column == StatsColumn::Mmr && value <= 0 ? Json(nullptr) : Json(value);
            break;
        }
        case MatchField::optionalNumber: {
            const std::int32_t value = match.record.*field.intMember;
            json[key] = value <= 0 ? Json(nullptr) : Json(value);
            break;
        }
        case MatchField::flag:
        case MatchField::win:
            json[key] = match.record.*field.boolMember;
            break;
        case MatchField::time:
            json[key] = match.record.time;
            break;
        case MatchField::title:
            json[key] = match.playlist;
            break;
        case MatchField::unread:
            break;
        }
    }
    return json;
}

Json playlistJson(const SessionPlaylist& playlist) {
    return Json{
        {"name", playlist.name},
        {"ranked", playlist.ranked},
        {"matches", playlist.matches},
        {"wins", playlist.wins},
        {"losses", playlist.losses},
        {"rating", orNull(playlist.rating)},
        {"ratingBefore", orNull(playlist.ratingBefore)},
        {"ratingChange", orNull(playlist.ratingChange)},
        {"ratingFromBefore", playlist.rating ? Json(playlist.ratingFromBefore) : Json(nullptr)},
    };
}

// The figures of the page's match table, by key and heading.
Json matchColumnsJson() {
    Json columns = Json::array();
    for (const StatsColumn column : kMatchTableColumns)
        columns.push_back(Json{{"key", columnKey(column)}, {"name", columnName(column)}});
    return columns;
}

// The session's sums, by their names.
Json totalsJson(const SessionTotals& totals) {
    Json json = Json::object();
    for (std::size_t at = 0; at < kSessionTotalColumns.size(); ++at)
        json[totalName(kSessionTotalColumns[at])] = totals[at];
    return json;
}

// The totals the page shows, in its order: their keys in "totals" and their headings.
Json totalColumnsJson() {
    Json columns = Json::array();
    for (const StatsColumn column : kSessionTotalColumns)
        columns.push_back(Json{{"key", totalName(column)}, {"name", totalHeading(column)}});
    return columns;
}

// A text file per total: "goals.txt" holds the session's goals.
void addTotalsTextFiles(const SessionTotals& totals,
                        std::vector<std::pair<std::string, std::string>>& files) {
    for (std::size_t at = 0; at < kSessionTotalColumns.size(); ++at)
        files.emplace_back(totalName(kSessionTotalColumns[at]) + ".txt", std::to_string(totals[at]));
}

// Each playlist's band: that of its rating by the player's bands; null without them.
void addBands(Json& json, const SessionView& view, const RatingBands* bands) {
    for (std::size_t at = 0; at < view.playlists.size(); ++at)
        json["playlists"][at]["band"] =
            bands ? bandJson(bands->standing(view.playlists[at].name, view.playlists[at].rating))
                  : Json(nullptr);
}

// The band of the last match's playlist, if it has one.
std::optional<BandStanding> lastPlaylistsBand(const SessionView& view, const RatingBands& bands) {
    if (!view.lastPlaylist)
        return std::nullopt;
    const SessionPlaylist& playlist = view.playlists[*view.lastPlaylist];
    return bands.standing(playlist.name, playlist.rating);
}

// Appended rather than joined with operator+: GCC 12 at -O3 warns falsely (-Wrestrict) about the join.
std::string signedText(std::int64_t value) {
    std::string text = value > 0 ? "+" : "";
    return text.append(std::to_string(value));
}

} // namespace

std::string plainTitle(std::string_view title) {
    std::string text;
    text.reserve(title.size());
    while (!title.empty()) {
        const std::size_t length = utf8CharacterAt(title).length;
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            title.remove_prefix(1);
            continue;
        }
        const auto first = static_cast<unsigned char>(title[0]);
        if (length == 1 && (first < 0x20 || first == 0x7F))
            text += ' ';
        else
            text.append(title.substr(0, length));
        title.remove_prefix(length);
    }
    return text;
}

Json sessionJson(const SessionView& view, const ViewContext& context) {
    Json playlists = Json::array();
    for (const SessionPlaylist& playlist : view.playlists)
        playlists.push_back(playlistJson(playlist));
    Json matches = Json::array();
    for (const SessionMatch& match : view.matchList)
        matches.push_back(matchJson(match));
    const SessionMatch* last = view.lastMatch();
    Json json{
        {"file", orNull(context.fileName)},
        {"account", orNull(context.account)},
        {"updated", context.updated},
        {"status", orNull(context.status)},
        {"sessionGapMinutes", context.sessionGapSeconds / 60},
        {"sinceStart", orNull(context.sinceStart)},
        {"sessionStart", orNull(view.start)},
        {"matches", view.matches},
        {"wins", view.wins},
        {"losses", view.losses},
        {"winRate", view.matches == 0
                        ? Json(nullptr)
                        : Json(static_cast<double>(view.wins) / static_cast<double>(view.matches))},
        {"streak", view.streak},
        {"totals", totalsJson(view.totals)},
        {"totalColumns", totalColumnsJson()},
        {"playlists", std::move(playlists)},
        {"lastPlaylist", orNull(view.lastPlaylist)},
        {"lastMatch", last ? matchJson(*last) : Json(nullptr)},
        {"matchColumns", matchColumnsJson()},
        {"matchList", std::move(matches)},
        {"newestMatch", orNull(view.newestMatch)},
        {"matchesRead", view.matchesRead},
        {"skippedLines", view.skippedLines},
    };
    addBands(json, view, context.bands);
    return json;
}

std::string sessionScript(const Json& json) {
    return "window.tallyglassSession = " + scriptSafeJson(jsonText(json)) + ";\n";
}

std::vector<std::pair<std::string, std::string>> textFiles(const SessionView& view) {
    std::string streak;
    if (view.streak != 0)
        streak.assign(view.streak > 0 ? "W" : "L")
            .append(std::to_string(view.streak > 0 ? view.streak : -view.streak));
    std::string rating;
    std::string ratingChange;
    std::string lastMatch;
    if (const SessionMatch* last = view.lastMatch()) {
        const SessionPlaylist& playlist = view.playlists[*view.lastPlaylist];
        if (playlist.rating)
            rating = std::to_string(*playlist.rating);
        if (playlist.ratingChange)
            ratingChange = signedText(*playlist.ratingChange);
        const std::string title = plainTitle(last->playlist);
        lastMatch = (title.empty() ? "" : title + " ") + std::to_string(last->record.myTeamGoals) + "-" +
                    std::to_string(last->record.otherTeamGoals) + (last->record.win ? " W" : " L");
    }
    std::vector<std::pair<std::string, std::string>> files{
        {"record.txt", std::to_string(view.wins) + "-" + std::to_string(view.losses)},
        {"wins.txt", std::to_string(view.wins)},
        {"losses.txt", std::to_string(view.losses)},
        {"streak.txt", streak},
        {"rating.txt", rating},
        {"rating-change.txt", ratingChange},
        {"last-match.txt", lastMatch},
    };
    addTotalsTextFiles(view.totals, files);
    return files;
}

std::vector<std::pair<std::string, std::string>> bandTextFiles(const SessionView& view,
                                                               const RatingBands& bands) {
    const std::optional<BandStanding> band = lastPlaylistsBand(view, bands);
    return {
        {"band.txt", band ? plainTitle(band->name) : ""},
        {"to-next-band.txt", band && band->toNext ? std::to_string(*band->toNext) : ""},
    };
}
