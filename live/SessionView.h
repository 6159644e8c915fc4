// What the live view shows: the current session, worked out from the matches read so far.
#pragma once

#include "statsfile/MatchRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A match of the session: its figures as read, but for the rating after it, which is the rating rule's
// (its row's, else told by its playlist's next match; 0 while unknown); and its playlist's title (the
// record's own view of the title is left empty: the line it pointed into is gone).
struct SessionMatch {
    MatchRecord record;
    std::string playlist;

    bool operator==(const SessionMatch&) const = default;
};

struct SessionPlaylist {
    std::string name;
    bool ranked = false; // as its newest match in the session says
    std::uint64_t matches = 0;
    std::uint64_t wins = 0;
    std::uint64_t losses = 0;
    // Its rating now, by the rating rule (statsfile/PlaylistRating.h): after its last match where known;
    // none when it never had one.
    std::optional<std::int32_t> rating;
    // What the change is measured from: its rating before the session's first match of it that tells a
    // rating of its own.
    std::optional<std::int32_t> ratingBefore;
    // rating minus ratingBefore; 0 when the session has no match of it that tells a rating but it has
    // one; none when it has no rating at all.
    std::optional<std::int32_t> ratingChange;
    // Whether rating is the one before the playlist's last match, the rating after it not being known.
    bool ratingFromBefore = false;

    bool operator==(const SessionPlaylist&) const = default;
};

struct SessionView {
    std::optional<std::int64_t> start; // the session's first match; none when the session is empty
    std::uint64_t matches = 0;
    std::uint64_t wins = 0;
    std::uint64_t losses = 0;
    std::int64_t streak = 0;                 // +3: three wins in a row; -2: two losses
    std::vector<SessionPlaylist> playlists;  // in the order the session first played them
    std::vector<SessionMatch> matchList;     // newest first, at most kListedSessionMatches
    std::optional<std::size_t> lastPlaylist; // index into playlists of the newest match's playlist
    std::optional<std::int64_t> newestMatch; // the newest match read, in the session or not
    std::uint64_t matchesRead = 0;
    std::uint64_t skippedLines = 0;

    const SessionMatch* lastMatch() const { return matchList.empty() ? nullptr : &matchList.front(); }
    bool operator==(const SessionView&) const = default;
};

// A session longer than this lists its newest matches only; its figures count every match.
inline constexpr std::size_t kListedSessionMatches = 500;
