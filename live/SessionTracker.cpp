#include "live/SessionTracker.h"

#include "statsfile/PlausibleTime.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

void countStreak(std::int64_t& streak, bool win) {
    if (win)
        streak = streak > 0 ? streak + 1 : 1;
    else
        streak = streak < 0 ? streak - 1 : -1;
}

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
    // The reader is made once for a whole following, so the moment it takes as now would go stale: the
    // upper limit on a match time is checked here, against the moment of this reading.
    if (match.time > latestPlausibleTime(now_))
        return skipped(match.line, "implausible time: \"" + std::to_string(match.time) +
                                       "\" (more than a day after now)");
    HeldMatch held;
    held.time = match.time;
    held.line = match.line;
    held.playlist = playlistIndex(match.playlist);
    held.ranked = match.ranked;
    held.win = match.win;
    held.mvp = match.mvp;
    held.rating = match.rating;
    held.myGoals = match.myTeamGoals;
    held.otherGoals = match.otherTeamGoals;
    held.points = match.points;
    held.goals = match.goals;
    held.assists = match.assists;
    held.saves = match.saves;
    held.shots = match.shots;
    held.demos = match.demos;
    ++matchesRead_;
    hold(held);
}

void SessionTracker::hold(const HeldMatch& match) {
    if (newestTime_ && match.time < *newestTime_ - horizonSeconds_)
        return letGo(match);
    if (held_.empty() || !before(match, held_.back()))
        held_.push_back(match);
    else
        held_.insert(std::upper_bound(held_.begin(), held_.end(), match, before), match);
    if (newestTime_ && match.time <= *newestTime_)
        return;
    newestTime_ = match.time;
    while (held_.front().time < *newestTime_ - horizonSeconds_) {
        letGo(held_.front());
        held_.pop_front();
    }
}

void SessionTracker::letGo(const HeldMatch& match) {
    newestLetGo_ = std::max(newestLetGo_.value_or(match.time), match.time);
    if (match.rating <= 0)
        return;
    OlderRating& older = olderRatings_[match.playlist];
    if (!older.known || match.time > older.time || (match.time == older.time && match.line > older.line))
        older = OlderRating{match.time, match.line, match.rating, true};
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
    if (now - held_.back().time > gapSeconds_)
        return sessionFrom(held_.size());
    // Back from the newest match to the first break longer than the gap.
    std::size_t first = held_.size() - 1;
    while (first > 0 && held_[first].time - held_[first - 1].time <= gapSeconds_)
        --first;
    bool reachesBack = first == 0 && newestLetGo_ && held_.front().time - *newestLetGo_ <= gapSeconds_;
    if (notBefore) {
        const auto cut =
            std::lower_bound(held_.begin(), held_.end(), *notBefore,
                             [](const HeldMatch& match, std::int64_t time) { return match.time < time; });
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
    view.start = held_[first].time;

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
        if (slot != slotOf.end() && held_[at].rating > 0)
            counts[slot->second].prior = held_[at].rating;
    }

    for (std::size_t at = first; at < held_.size(); ++at) {
        const HeldMatch& match = held_[at];
        PlaylistCount& count = counts[slotOf[match.playlist]];
        SessionPlaylist& playlist = count.figures;
        ++playlist.matches;
        ++(match.win ? playlist.wins : playlist.losses);
        playlist.ranked = match.ranked;
        ++view.matches;
        ++(match.win ? view.wins : view.losses);
        countStreak(view.streak, match.win);
        if (match.rating > 0) {
            if (!count.ratedInSession)
                playlist.ratingBefore = count.prior.value_or(match.rating);
            count.ratedInSession = true;
            playlist.rating = match.rating;
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
        SessionMatch shown;
        shown.playlist = names_[match.playlist];
        shown.ranked = match.ranked;
        shown.win = match.win;
        shown.mvp = match.mvp;
        shown.myGoals = match.myGoals;
        shown.otherGoals = match.otherGoals;
        shown.points = match.points;
        shown.goals = match.goals;
        shown.assists = match.assists;
        shown.saves = match.saves;
        shown.shots = match.shots;
        shown.demos = match.demos;
        if (match.rating > 0)
            shown.rating = match.rating;
        shown.time = match.time;
        view.matchList.push_back(std::move(shown));
    }
    return view;
}
