#include "live/SessionFold.h"

#include "toolkit/SessionRules.h"

const SessionFold::Playlist* SessionFold::find(std::uint32_t playlist) const {
    for (const Playlist& entry : playlists_)
        if (entry.index == playlist)
            return &entry;
    return nullptr;
}

void SessionFold::add(const MatchRecord& match, std::uint32_t playlist, const PlaylistRating& before) {
    std::size_t slot = 0;
    while (slot < playlists_.size() && playlists_[slot].index != playlist)
        ++slot;
    if (slot == playlists_.size()) {
        Playlist entry;
        entry.index = playlist;
        entry.rating = before;
        playlists_.push_back(std::move(entry));
    }
    Playlist& entry = playlists_[slot];
    lastPlaylist_ = slot;

    if (!start_)
        start_ = match.time;
    const std::uint64_t number = matches_++;
    wins_ += match.win ? 1 : 0;
    streak_ = streakAfter(streak_, match.win);
    for (std::size_t at = 0; at < kSessionTotalColumns.size(); ++at)
        totals_[at] += totalOf(match, kSessionTotalColumns[at]);

    SessionPlaylist& figures = entry.figures;
    ++figures.matches;
    ++(match.win ? figures.wins : figures.losses);
    figures.ranked = match.ranked;

    const PlaylistRating::Step step = entry.rating.take(match);
    if (entry.untold && step.previousAfter && *entry.untold >= firstListed_)
        listed_[*entry.untold - firstListed_].record.ratingAfter = *step.previousAfter;
    entry.untold = step.after ? std::nullopt : std::optional(number);
    // The change runs from the rating before the session's first match of the playlist that tells a
    // rating of its own.
    if (!entry.ratedInSession && (match.rating > 0 || step.after)) {
        figures.ratingBefore = step.before ? step.before : step.after;
        entry.ratedInSession = true;
    }

    Listed listed{match, playlist};
    listed.record.playlist = {};
    listed.record.ratingAfter = step.after.value_or(0);
    listed_.push_back(listed);
    if (listed_.size() > kListedSessionMatches) {
        listed_.pop_front();
        ++firstListed_;
    }
}

SessionView SessionFold::view(const std::vector<std::string>& names) const {
    SessionView view;
    if (matches_ == 0)
        return view;
    view.start = start_;
    view.matches = matches_;
    view.wins = wins_;
    view.losses = matches_ - wins_;
    view.streak = streak_;
    view.totals = totals_;
    for (const Playlist& entry : playlists_) {
        SessionPlaylist playlist = entry.figures;
        playlist.name = names[entry.index];
        playlist.rating = entry.rating.latest();
        if (playlist.rating) {
            // A playlist whose matches of the session tell no rating: its rating from before, unchanged.
            if (!entry.ratedInSession)
                playlist.ratingBefore = playlist.rating;
            playlist.ratingChange = *playlist.rating - *playlist.ratingBefore;
            playlist.ratingFromBefore = entry.rating.latestIsFromBefore();
        }
        view.playlists.push_back(std::move(playlist));
    }
    view.lastPlaylist = lastPlaylist_;
    view.matchList.reserve(listed_.size());
    for (auto at = listed_.rbegin(); at != listed_.rend(); ++at)
        view.matchList.push_back(SessionMatch{at->record, names[at->playlist]});
    return view;
}
