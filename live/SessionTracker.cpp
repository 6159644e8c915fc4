#include "live/SessionTracker.h"

#include "toolkit/SessionRules.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// A playlist of the session as it is being counted.
struct PlaylistCount {
    SessionPlaylist figures;
    std::optional<std::int32_t> prior; // its newest rating before the session
    bool ratedInSession = false;
};

} // namespace

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
    if (match.record.rating <= 0)
        return;
    OlderRating& older = olderRatings_[match.playlist];
    if (!older.known || match.record.time > older.time ||
        (match.record.time == older.time && match.record.line > older.line))
        older = OlderRating{match.record.time, match.record.line, match.record.rating, true};
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

    // The session's playlists, in the order it first played them, with their ratings from before it.
    std::map<std::uint32_t, std::size_t> slotOf;
    std::vector<PlaylistCount> counts;
    for (std::size_t at = first; at < held_.size(); ++at) {
        if (slotOf.emplace(held_[at].playlist, counts.size()).second) {
            PlaylistCount count;
            count.figures.name = names_[held_[at].playlist];
            const OlderRating& older = olderRatings_[held_[at].playlist];
            if (older.known)
                count.prior = older.rating;
            counts.push_back(std::move(count));
        }
    }
    for (std::size_t at = 0; at < first; ++at) {
        const auto slot = slotOf.find(held_[at].playlist);
        if (slot != slotOf.end() && held_[at].record.rating > 0)
            counts[slot->second].prior = held_[at].record.rating;
    }

    for (std::size_t at = first; at < held_.size(); ++at) {
        const HeldMatch& match = held_[at];
        PlaylistCount& count = counts[slotOf[match.playlist]];
        SessionPlaylist& playlist = count.figures;
        ++playlist.matches;
        ++(match.record.win ? playlist.wins : playlist.losses);
        playlist.ranked = match.record.ranked;
        ++view.matches;
        ++(match.record.win ? view.wins : view.losses);
        view.streak = streakAfter(view.streak, match.record.win);
        if (match.record.rating > 0) {
            if (!count.ratedInSession)
                playlist.ratingBefore = count.prior.value_or(match.record.rating);
            count.ratedInSession = true;
            playlist.rating = match.record.rating;
        }
    }
    for (PlaylistCount& count : counts) {
        SessionPlaylist& playlist = count.figures;
        if (count.ratedInSession) {
            playlist.ratingChange = *playlist.rating - *playlist.ratingBefore;
        } else if (count.prior) {
            playlist.rating = playlist.ratingBefore = count.prior;
            playlist.ratingChange = 0;
        }
        view.playlists.push_back(std::move(playlist));
    }
    view.lastPlaylist = slotOf[held_.back().playlist];

    for (std::size_t at = held_.size(); at > first && view.matchList.size() < kListedSessionMatches; --at) {
        const HeldMatch& match = held_[at - 1];
        view.matchList.push_back(SessionMatch{match.record, names_[match.playlist]});
    }
    return view;
}
