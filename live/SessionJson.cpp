#include "live/SessionJson.h"

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

// Appended rather than joined with operator+: GCC 12 at -O3 warns falsely (-Wrestrict) about the join.
std::string signedText(std::int64_t value) {
    std::string text = value > 0 ? "+" : "";
    return text.append(std::to_string(value));
}

// The length of the UTF-8 sequence at the start of `text`, or 0 when it is none.
std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    std::uint32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t at = 1; at < length; ++at) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

std::string plainTitle(std::string_view title) {
    std::string text;
    text.reserve(title.size());
    while (!title.empty()) {
        const std::size_t length = utf8Length(title);
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
        {"matchList", std::move(matches)},
        {"newestMatch", orNull(view.newestMatch)},
        {"matchesRead", view.matchesRead},
        {"skippedLines", view.skippedLines},
    };
}

std::string jsonText(const Json& json, int indent) {
    return json.dump(indent, ' ', true, Json::error_handler_t::replace);
}

std::string sessionScript(const Json& json) {
    std::string text = "window.tallyglassSession = ";
    for (const char c : jsonText(json)) {
        switch (c) {
        case '<':
            text += "\\u003c";
            break;
        case '>':
            text += "\\u003e";
            break;
        case '&':
            text += "\\u0026";
            break;
        default:
            text += c;
        }
    }
    return text + ";\n";
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
