// A session counted match by match in the order of the matches' times: the record, streak, totals, each
// playlist's figures and rating change by the rating rule (statsfile/PlaylistRating.h), and its newest
// matches for the list. What it keeps does not grow with the session: its figures, a few playlists and
// at most kListedSessionMatches matches.
#pragma once

#include "live/SessionTotals.h"
#include "live/SessionView.h"
#include "statsfile/PlaylistRating.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class SessionFold {
public:
    // Whether the session has a match of the playlist (by its index) yet.
    bool has(std::uint32_t playlist) const { return find(playlist) != nullptr; }

    // The session's next match in time order. `before`: for a playlist's first match of the session, the
    // rating rule's state after every earlier match of that playlist; unused for the playlist's later
    // matches.
    void add(const MatchRecord& match, std::uint32_t playlist, const PlaylistRating& before);

    bool empty() const { return matches_ == 0; }

    // The session as the view shows it; `names` gives each playlist's title by its index.
    SessionView view(const std::vector<std::string>& names) const;

private:
    struct Playlist {
        std::uint32_t index = 0;
        SessionPlaylist figures;
        PlaylistRating rating;
        bool ratedInSession = false;
        // The match of the list whose rating after is still to be told by this playlist's next match.
        std::optional<std::uint64_t> untold;
    };
    struct Listed {
        MatchRecord record; // its rating after by the rule; the title's view left empty
        std::uint32_t playlist = 0;
    };

    const Playlist* find(std::uint32_t playlist) const;

    std::optional<std::int64_t> start_;
    std::uint64_t matches_ = 0;
    std::uint64_t wins_ = 0;
    std::int64_t streak_ = 0;
    SessionTotals totals_{};
    std::vector<Playlist> playlists_; // in the order the session first played them
    std::size_t lastPlaylist_ = 0;
    std::deque<Listed> listed_; // the newest matches, oldest first
    std::uint64_t firstListed_ =
        0; // the number of the oldest listed match, counting from the session's first
};
