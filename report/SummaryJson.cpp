#include "report/SummaryJson.h"

namespace {

using Json = nlohmann::ordered_json;

// The periods whose rating changes each playlist carries besides the periods' own list.
constexpr std::size_t kSevenDays = periodOf(7);
constexpr std::size_t kThirtyDays = periodOf(30);

// A share in [0, 1]; null without matches to take it of.
Json share(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0)
        return nullptr;
    return static_cast<double>(part) / static_cast<double>(whole);
}

template <class Value> Json orNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json playlistJson(const PlaylistSummary& playlist, const RatingBands& bands) {
    Json averages = Json::object();
    for (std::size_t which = 0; which < kAveragedColumns.size(); ++which)
        averages[std::string(columnKey(kAveragedColumns[which]))] =
            static_cast<double>(playlist.sums[which]) / static_cast<double>(playlist.matches);
    Json json{
        {"name", playlist.name},
        {"ranked", playlist.ranked},
        {"matches", playlist.matches},
        {"wins", playlist.wins},
        {"losses", playlist.losses},
        {"winRate", share(playlist.wins, playlist.matches)},
        {"currentRating", nullptr},
        {"currentRatingFromBefore", nullptr},
        {"peakRating", orNull(playlist.peakRating)},
        {"peakRatingTime", playlist.peakRating ? Json(playlist.peakRatingTime) : Json(nullptr)},
        {"band", bandJson(bands.standing(playlist.name, playlist.currentRating))},
        {"ratingChange7Days", nullptr},
        {"ratingChange30Days", nullptr},
        {"bestWinStreak", playlist.bestWinStreak},
        {"currentStreak", playlist.currentStreak},
        {"averages", std::move(averages)},
        {"mvpRate", share(playlist.mvps, playlist.matches)},
        {"lastPlayed", playlist.lastPlayed},
    };
    if (playlist.currentRating) {
        json["currentRating"] = *playlist.currentRating;
        json["currentRatingFromBefore"] = playlist.currentRatingFromBefore;
        json["ratingChange7Days"] = playlist.periods[kSevenDays].ratingChange;
        json["ratingChange30Days"] = playlist.periods[kThirtyDays].ratingChange;
    }
    return json;
}

// Each period's figures, and those of the playlists played in it (in the order of `playlists`).
Json periodsJson(const HistorySummary& summary) {
    Json periods = Json::array();
    for (std::size_t period = 0; period < kPeriodDays.size(); ++period) {
        const PeriodSummary& figures = summary.periods[period];
        Json playlists = Json::array();
        for (const PlaylistSummary& playlist : summary.playlists) {
            const PlaylistPeriod& in = playlist.periods[period];
            if (in.matches == 0)
                continue;
            playlists.push_back(Json{
                {"name", playlist.name},
                {"matches", in.matches},
                {"wins", in.wins},
                {"losses", in.losses},
                {"ratingChange", playlist.currentRating ? Json(in.ratingChange) : Json(nullptr)},
                {"peakRating", orNull(in.peakRating)},
            });
        }
        periods.push_back(Json{
            {"days", figures.days},
            {"matches", figures.matches},
            {"wins", figures.wins},
            {"losses", figures.losses},
            {"winRate", share(figures.wins, figures.matches)},
            {"playlists", std::move(playlists)},
        });
    }
    return periods;
}

Json sessionJson(const SessionSummary& session, const std::vector<PlaylistSummary>& playlists) {
    Json changes = Json::object();
    for (const SessionRatingChange& change : session.ratingChanges)
        changes[playlists[change.playlist].name] = change.last - change.before;
    return Json{
        {"start", session.start},
        {"end", session.end},
        {"matches", session.matches},
        {"wins", session.wins},
        {"losses", session.losses},
        {"ratingChange", std::move(changes)},
        {"averagePoints", static_cast<double>(session.pointsSum) / static_cast<double>(session.matches)},
    };
}

Json formJson(const std::vector<FormPoint>& points) {
    Json rows = Json::array();
    for (const FormPoint& point : points) {
        Json row = Json::array({point.time});
        for (double value : point.values)
            row.push_back(value);
        rows.push_back(std::move(row));
    }
    return rows;
}

Json chartsJson(const HistorySummary& summary) {
    Json buckets = Json::array();
    for (const RatingBucket& bucket : summary.ratingBuckets)
        buckets.push_back(Json::array(
            {bucket.start, bucket.playlist, bucket.first, bucket.last, bucket.lowest, bucket.highest}));
    Json points = Json::array();
    for (const RatingPoint& point : summary.ratingPoints)
        points.push_back(Json::array({point.time, point.playlist, point.rating, point.match}));
    Json formNames = Json::array();
    for (std::size_t which = 0; which < kFormStatistics; ++which)
        formNames.push_back(columnKey(kAveragedColumns[which]));
    return Json{
        {"bucketSeconds", summary.bucketSeconds},     {"ratingBuckets", std::move(buckets)},
        {"ratingPoints", std::move(points)},          {"formWindow", kFormWindow},
        {"formStatistics", std::move(formNames)},     {"formBuckets", formJson(summary.formBuckets)},
        {"formPoints", formJson(summary.formPoints)},
    };
}

} // namespace

nlohmann::ordered_json summaryJson(const HistorySummary& summary, const std::string& fileName,
                                   const RatingBands& bands) {
    Json skippedLines = Json::array();
    Json skipped = Json::array();
    for (const SkippedLine& line : summary.skipped) {
        skippedLines.push_back(line.line);
        skipped.push_back(Json{{"line", line.line}, {"reason", line.reason}});
    }
    Json playlists = Json::array();
    for (const PlaylistSummary& playlist : summary.playlists)
        playlists.push_back(playlistJson(playlist, bands));
    Json sessions = Json::array();
    for (const SessionSummary& session : summary.sessions)
        sessions.push_back(sessionJson(session, summary.playlists));
    Json averaged = Json::array();
    for (const StatsColumn column : kAveragedColumns)
        averaged.push_back(Json{{"key", columnKey(column)}, {"name", columnName(column)}});
    const bool any = summary.matches > 0;
    return Json{
        {"file", fileName},
        {"now", summary.now},
        {"matches", summary.matches},
        {"wins", summary.wins},
        {"losses", summary.losses},
        {"winRate", share(summary.wins, summary.matches)},
        {"firstMatch", any ? Json(summary.firstMatch) : Json(nullptr)},
        {"lastMatch", any ? Json(summary.lastMatch) : Json(nullptr)},
        {"bestWinStreak", summary.bestWinStreak},
        {"currentStreak", summary.currentStreak},
        {"skippedCount", summary.skippedCount},
        {"skippedLines", std::move(skippedLines)},
        {"skipped", std::move(skipped)},
        {"outOfPlace", summary.fileOrder.outOfPlace},
        {"firstOutOfPlaceLine",
         summary.fileOrder.outOfPlace > 0 ? Json(summary.fileOrder.firstOutOfPlaceLine) : Json(nullptr)},
        {"averagedColumns", std::move(averaged)},
        {"playlists", std::move(playlists)},
        {"periods", periodsJson(summary)},
        {"sessionCount", summary.sessionCount},
        {"sessionGapSeconds", kSessionGapSeconds},
        {"sessions", std::move(sessions)},
        {"charts", chartsJson(summary)},
    };
}
