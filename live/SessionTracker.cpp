#include "live/SessionTracker.h"

#include <algorithm>
#include <utility>

namespace {

MatchRecord asRecord(std::int32_t rating, std::int32_t ratingAfter) {
    MatchRecord record;
    record.rating = rating;
    record.ratingAfter = ratingAfter;
    return record;
}

} // namespace

SessionTracker::SessionTracker(std::int64_t gapSeconds, std::int64_t horizonSeconds,
                               std::optional<std::int64_t> notBefore)
    : gapSeconds_(gapSeconds)
    , horizonSeconds_(std::max(horizonSeconds, gapSeconds))
    , notBefore_(notBefore) {}

PlaylistRating SessionTracker::ratingAfterOlder(const OlderRatings& older) {
    // The rule's state after those matches follows from these two alone.
    PlaylistRating rating;
    if (older.newestRated.known)
        rating.take(asRecord(older.newestRated.rating, older.newestRated.ratingAfter));
    MatchRecord newestRatedPlace;
    newestRatedPlace.time = older.newestRated.place.time;
    newestRatedPlace.line = older.newestRated.place.line;
    if (older.newest.laterThan(newestRatedPlace))
        rating.take(asRecord(older.newest.rating, older.newest.ratingAfter));
    return rating;
}

std::uint32_t SessionTracker::playlistIndex(std::string_view name) {
    // Consecutive matches mostly share their playlist.
    if (lastPlaylist_ < names_.size() && names_[lastPlaylist_] == name)
        return lastPlaylist_;
    auto found = indexes_.find(name);
    if (found == indexes_.end()) {
        const auto index = static_cast<std::uint32_t>(names_.size());
        found = indexes_.emplace(std::string(name), index).first;
        names_.emplace_back(name);
        olderRatings_.emplace_back();
    }
    lastPlaylist_ = found->second;
    return lastPlaylist_;
}

void SessionTracker::match(const MatchRecord& match) {
    HeldMatch held{match, playlistIndex(match.playlist)};
    held.record.playlist = {};
    ++matchesRead_;
    hold(held);
}

void SessionTracker::hold(const HeldMatch& match) {
    if (newestTime_ && match.record.time < *newestTime_ - horizonSeconds_)
        return letGo(match);
    if (held_.empty() || !before(match, held_.back()))
        held_.push_back(match);
    else
        held_.insert(std::upper_bound(held_.begin(), held_.end(), match, before), match);
    if (newestTime_ && match.record.time <= *newestTime_)
        return;
    newestTime_ = match.record.time;
    while (held_.front().record.time < *newestTime_ - horizonSeconds_) {
        letGo(held_.front());
        held_.pop_front();
    }
}

bool SessionTracker::changesSettled(const HeldMatch& match) const {
    const MatchRecord& record = match.record;
    // Within a gap of the settled session's first match (or in it): it joins the session or moves its start.
    if (!settledStart_ || record.time >= *settledStart_ - gapSeconds_)
        return true;
    // Before it: it may change the rating a playlist of the session had before it.
    for (const auto& [playlist, older] : settledRatingsBefore_)
        if (playlist == match.playlist &&
            (!older.newest.laterThan(record) ||
             ((record.rating > 0 || record.ratingAfter > 0) && !older.newestRated.laterThan(record))))
            return true;
    return false;
}

void SessionTracker::letGo(const HeldMatch& match) {
    const MatchRecord& record = match.record;
    const bool inOrder = !newestLetGo_ || newestLetGo_->before(record);
    if (inOrder) {
        // A break longer than the gap: the settled session starts over, whole again.
        if (!newestLetGo_ || record.time - newestLetGo_->time > gapSeconds_) {
            settledStart_ = record.time;
            settled_ = SessionFold();
            settledWhole_ = true;
            settledRatingsBefore_.clear();
        }
        if (counted(record)) {
            const OlderRatings& older = olderRatings_[match.playlist];
            if (!settled_.has(match.playlist))
                settledRatingsBefore_.emplace_back(match.playlist, older);
            settled_.add(record, match.playlist, ratingAfterOlder(older));
        }
        newestLetGo_ = Place{record.time, record.line};
    } else if (settledWhole_ && changesSettled(match)) {
        settledWhole_ = false;
    }
    const OlderMatch older{{record.time, record.line}, record.rating, record.ratingAfter, true};
    OlderRatings& ratings = olderRatings_[match.playlist];
    if (!ratings.newest.laterThan(record))
        ratings.newest = older;
    if ((record.rating > 0 || record.ratingAfter > 0) && !ratings.newestRated.laterThan(record))
        ratings.newestRated = older;
}

void SessionTracker::skipped(std::uint64_t line, const std::string& reason) {
    ++skippedCount_;
    if (recentSkips_.size() < kRecentSkipsKept)
        recentSkips_.push_back(RefusedLine{line, reason});
}

std::vector<RefusedLine> SessionTracker::takeRecentSkips() {
    return std::exchange(recentSkips_, {});
}

bool SessionTracker::overAt(std::int64_t now) const {
    return !held_.empty() && now - held_.back().record.time > gapSeconds_;
}

SessionView SessionTracker::withReading(SessionView view) const {
    view.newestMatch = newestTime_;
    view.matchesRead = matchesRead_;
    view.skippedLines = skippedCount_;
    return view;
}

std::optional<SessionView> SessionTracker::session(std::int64_t now) const {
    // When the newest match is older than the gap, the session is over: it shows empty until the next.
    if (held_.empty() || overAt(now))
        return withReading(SessionView{});
    // Back from the newest match to the first break longer than the gap.
    std::size_t first = held_.size() - 1;
    while (first > 0 && held_[first].record.time - held_[first - 1].record.time <= gapSeconds_)
        --first;
    // Whatever is no longer held lies before the start given: the session cannot reach it.
    const bool reachesBack = first == 0 && newestLetGo_ &&
                             held_.front().record.time - newestLetGo_->time <= gapSeconds_ &&
                             !(notBefore_ && newestLetGo_->time < *notBefore_);
    if (notBefore_) {
        const auto cut = std::lower_bound(
            held_.begin(), held_.end(), *notBefore_,
            [](const HeldMatch& match, std::int64_t time) { return match.record.time < time; });
        first = std::max(first, static_cast<std::size_t>(cut - held_.begin()));
    }

    SessionFold fold;
    if (reachesBack && first == 0) {
        // The session goes on from the one the matches let go end in.
        if (!settledWhole_)
            return std::nullopt;
        fold = settled_;
    }
    // The rating each playlist had before the held part of the session: after the matches let go, then
    // after the held ones before it.
    std::vector<std::optional<PlaylistRating>> before(names_.size());
    const auto ratingBefore = [&](std::uint32_t playlist) -> const PlaylistRating& {
        std::optional<PlaylistRating>& rating = before[playlist];
        if (!rating) {
            rating = ratingAfterOlder(olderRatings_[playlist]);
            for (std::size_t at = 0; at < first; ++at)
                if (held_[at].playlist == playlist)
                    rating->take(held_[at].record);
        }
        return *rating;
    };
    for (std::size_t at = first; at < held_.size(); ++at) {
        const HeldMatch& match = held_[at];
        fold.add(match.record, match.playlist,
                 fold.has(match.playlist) ? PlaylistRating() : ratingBefore(match.playlist));
    }
    return withReading(fold.view(names_));
}
