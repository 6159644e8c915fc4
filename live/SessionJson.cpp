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
    return Json{
        {"file", context.fileName},
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
        {"playlists", std::move(playlists)},
        {"lastPlaylist", orNull(view.lastPlaylist)},
        {"lastMatch", last ? matchJson(*last) : Json(nullptr)},
        {"matchColumns", matchColumnsJson()},
        {"matchList", std::move(matches)},
        {"newestMatch", orNull(view.newestMatch)},
        {"matchesRead", view.matchesRead},
        {"skippedLines", view.skippedLines},
    };
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
    return {
        {"record.txt", std::to_string(view.wins) + "-" + std::to_string(view.losses)},
        {"wins.txt", std::to_string(view.wins)},
        {"losses.txt", std::to_string(view.losses)},
        {"streak.txt", streak},
        {"rating.txt", rating},
        {"rating-change.txt", ratingChange},
        {"last-match.txt", lastMatch},
    };
}
