// Keeps what the current session needs from the rows of a stats file, fed in file order, and works the
// session out in the order of the matches' times (equal times keep file order).
//
// What is held stays small whatever the file's length and the session's: every match within `horizon`
// seconds of the newest one, in full, so that rows written out of time order near the end still count
// in their place; of older ones, each playlist's newest rating and the session they end in, counted as
// they come (SessionFold). Rows out of time order further back that fall into that session leave it
// uncounted until the next break: a session reaching back into it then cannot be worked out from what is
// held, session() says so, and the file is read again holding more.
#pragma once

#include "live/SessionFold.h"
#include "live/SessionView.h"
#include "statsfile/RowSink.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct RefusedLine {
    std::uint64_t line = 0;
    std::string reason;
};

class SessionTracker final : public StatsRowSink {
public:
    // The session counts only matches at or after `notBefore`, when given.
    SessionTracker(std::int64_t gapSeconds, std::int64_t horizonSeconds,
                   std::optional<std::int64_t> notBefore = std::nullopt);

    void match(const MatchRecord& match) override;
    void skipped(std::uint64_t line, const std::string& reason) override;

    // The session as it stands at `now`; none when it reaches back past what is held.
    std::optional<SessionView> session(std::int64_t now) const;
    // Whether the newest match is more than the gap before `now`: the session is over (empty) then. The
    // session changes with time alone only when this does.
    bool overAt(std::int64_t now) const;

    std::uint64_t matchesRead() const { return matchesRead_; }
    std::uint64_t skippedCount() const { return skippedCount_; }
    // The lines skipped since the last call, the first few of them.
    std::vector<RefusedLine> takeRecentSkips();

    static constexpr std::size_t kRecentSkipsKept = 20;

private:
    // A match as read, its title kept as the index of its playlist.
    struct HeldMatch {
        MatchRecord record;
        std::uint32_t playlist = 0;
    };
    // A match's place in time and file.
    struct Place {
        std::int64_t time = 0;
        std::uint64_t line = 0;

        bool before(const MatchRecord& match) const {
            return time != match.time ? time < match.time : line < match.line;
        }
    };
    // Of a playlist's matches no longer held, what the rating rule needs: the newest that tells a rating
    // (before or after it), and the newest of all, whose rating after a held match may tell.
    struct OlderMatch {
        Place place;
        std::int32_t rating = 0;
        std::int32_t ratingAfter = 0;
        bool known = false;

        bool laterThan(const MatchRecord& match) const {
            return known &&
                   (place.time > match.time || (place.time == match.time && place.line > match.line));
        }
    };
    struct OlderRatings {
        OlderMatch newestRated;
        OlderMatch newest;
    };
    struct TransparentHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    static bool before(const HeldMatch& a, const HeldMatch& b) {
        return a.record.time != b.record.time ? a.record.time < b.record.time : a.record.line < b.record.line;
    }
    // The rating rule's state after the matches no longer held.
    static PlaylistRating ratingAfterOlder(const OlderRatings& older);
    bool counted(const MatchRecord& match) const { return !notBefore_ || match.time >= *notBefore_; }
    std::uint32_t playlistIndex(std::string_view name);
    void hold(const HeldMatch& match);
    void letGo(const HeldMatch& match);
    // Whether a match let go out of time order changes the session counted of the matches let go.
    bool changesSettled(const HeldMatch& match) const;
    // The view's figures of the whole reading, beside the session's.
    SessionView withReading(SessionView view) const;

    std::int64_t gapSeconds_;
    std::int64_t horizonSeconds_;
    std::optional<std::int64_t> notBefore_;
    std::deque<HeldMatch> held_; // in time order, equal times in file order
    std::optional<std::int64_t> newestTime_;
    std::optional<Place> newestLetGo_;
    std::vector<std::string> names_;
    std::vector<OlderRatings> olderRatings_; // by playlist
    std::unordered_map<std::string, std::uint32_t, TransparentHash, std::equal_to<>> indexes_;
    std::uint32_t lastPlaylist_ = 0;
    // The session the matches let go end in, as far as it counts: its first match's time (counted or
    // not), the count itself, whether the count is whole, and each of its playlists' older ratings as
    // they stood at its first match of it.
    std::optional<std::int64_t> settledStart_;
    SessionFold settled_;
    bool settledWhole_ = true;
    std::vector<std::pair<std::uint32_t, OlderRatings>> settledRatingsBefore_;
    std::uint64_t matchesRead_ = 0;
    std::uint64_t skippedCount_ = 0;
    std::vector<RefusedLine> recentSkips_;
};
