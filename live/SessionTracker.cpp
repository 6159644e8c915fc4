#include "live/SessionTracker.h"

#include "statsfile/PlaylistRating.h"
#include "toolkit/SessionRules.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// A playlist of the session as it is being counted.
struct PlaylistCount {
    SessionPlaylist figures;
    PlaylistRating rating; // taken through the matches before the session, then through its own
    bool ratedInSession = false;
};

MatchRecord asRecord(std::int32_t rating, std::int32_t ratingAfter) {
    MatchRecord record;
    record.rating = rating;
    record.ratingAfter = ratingAfter;
    return record;
}

} // namespace

MatchRecord SessionTracker::asMatchAt(const OlderMatch& older) {
    MatchRecord record;
    record.time = older.time;
    record.line = older.line;
    return record;
}

namespace {} // namespace

SessionTracker::SessionTracker(std::int64_t gapSeconds, std::int64_t horizonSeconds)
    : gapSeconds_(gapSeconds)
    , horizonSeconds_(std::max(horizonSeconds, gapSeconds)) {}

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

void SessionTracker::letGo(const HeldMatch& match) {
    newestLetGo_ = std::max(newestLetGo_.value_or(match.record.time), match.record.time);
    const MatchRecord& record = match.record;
    const OlderMatch older{record.time, record.line, record.rating, record.ratingAfter, true};
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

std::optional<SessionView> SessionTracker::session(std::int64_t now,
                                                   std::optional<std::int64_t> notBefore) const {
    if (held_.empty())
        return sessionFrom(0);
    // When the newest match is older than the gap, the session is over: it shows empty until the next.
    if (now - held_.back().record.time > gapSeconds_)
        return sessionFrom(held_.size());
    // Back from the newest match to the first break longer than the gap.
    std::size_t first = held_.size() - 1;
    while (first > 0 && held_[first].record.time - held_[first - 1].record.time <= gapSeconds_)
        --first;
    bool reachesBack = first == 0 && newestLetGo_ && held_.front().record.time - *newestLetGo_ <= gapSeconds_;
    if (notBefore) {
        const auto cut = std::lower_bound(
            held_.begin(), held_.end(), *notBefore,
            [](const HeldMatch& match, std::int64_t time) { return match.record.time < time; });
        first = std::max(first, static_cast<std::size_t>(cut - held_.begin()));
        // Whatever is no longer held lies before the cut: the session cannot reach it.
        if (first > 0 || (newestLetGo_ && *newestLetGo_ < *notBefore))
            reachesBack = false;
    }
    if (reachesBack)
        return std::nullopt;
    return sessionFrom(first);
}

SessionView SessionTracker::sessionFrom(std::size_t first) const {
    SessionView view;
    view.newestMatch = newestTime_;
    view.matchesRead = matchesRead_;
    view.skippedLines = skippedCount_;
    if (first >= held_.size())
        return view;
    view.start = held_[first].record.time;

    // The session's playlists, in the order it first played them, their ratings taken through the
    // matches before it: first those no longer held, then the held ones.
    std::map<std::uint32_t, std::size_t> slotOf;
    std::vector<PlaylistCount> counts;
    for (std::size_t at = first; at < held_.size(); ++at) {
        if (slotOf.emplace(held_[at].playlist, counts.size()).second) {
            PlaylistCount count;
            count.figures.name = names_[held_[at].playlist];
            const OlderRatings& older = olderRatings_[held_[at].playlist];
            // The rule's state after those matches follows from these two alone.
            if (older.newestRated.known)
                count.rating.take(asRecord(older.newestRated.rating, older.newestRated.ratingAfter));
            if (older.newest.laterThan(asMatchAt(older.newestRated)))
                count.rating.take(asRecord(older.newest.rating, older.newest.ratingAfter));
            counts.push_back(std::move(count));
        }
    }
    for (std::size_t at = 0; at < first; ++at) {
        const auto slot = slotOf.find(held_[at].playlist);
        if (slot != slotOf.end())
            counts[slot->second].rating.take(held_[at].record);
    }

    // Each match's rating after it: its own row's, or told by its playlist's next match.
    std::vector<std::int32_t> ratingAfter(held_.size() - first, 0);
    std::vector<std::optional<std::size_t>> untold(counts.size());
    for (std::size_t at = first; at < held_.size(); ++at) {
        const HeldMatch& match = held_[at];
        const std::size_t slot = slotOf[match.playlist];
        PlaylistCount& count = counts[slot];
        SessionPlaylist& playlist = count.figures;
        ++playlist.matches;
        ++(match.record.win ? playlist.wins : playlist.losses);
        playlist.ranked = match.record.ranked;
        ++view.matches;
        ++(match.record.win ? view.wins : view.losses);
        view.streak = streakAfter(view.streak, match.record.win);

        const PlaylistRating::Step step = count.rating.take(match.record);
        if (untold[slot] && step.previousAfter)
            ratingAfter[*untold[slot]] = *step.previousAfter;
        untold[slot] = step.after ? std::nullopt : std::optional(at - first);
        ratingAfter[at - first] = step.after.value_or(0);
        // The change runs from the rating before the session's first match of the playlist that tells a
        // rating of its own.
        if (!count.ratedInSession && (match.record.rating > 0 || step.after)) {
            playlist.ratingBefore = step.before ? step.before : step.after;
            count.ratedInSession = true;
        }
    }
    for (PlaylistCount& count : counts) {
        SessionPlaylist& playlist = count.figures;
        playlist.rating = count.rating.latest();
        if (playlist.rating) {
            // A playlist whose matches of the session tell no rating: its rating from before, unchanged.
            if (!count.ratedInSession)
                playlist.ratingBefore = playlist.rating;
            playlist.ratingChange = *playlist.rating - *playlist.ratingBefore;
            playlist.ratingFromBefore = count.rating.latestIsFromBefore();
        }
        view.playlists.push_back(std::move(playlist));
    }
    view.lastPlaylist = slotOf[held_.back().playlist];

    for (std::size_t at = held_.size(); at > first && view.matchList.size() < kListedSessionMatches; --at) {
        const HeldMatch& match = held_[at - 1];
        SessionMatch listed{match.record, names_[match.playlist]};
        listed.record.ratingAfter = ratingAfter[at - 1 - first];
        view.matchList.push_back(std::move(listed));
    }
    return view;
}
