// Keeps what the current session needs from the rows of a stats file, fed in file order, and works the
// session out in the order of the matches' times (equal times keep file order).
//
// What is held stays small whatever the file's length: every match within `horizon` seconds of the
// newest one, in full; of older ones only each playlist's newest rating. A session reaching back past
// that cannot be worked out from what is held: session() says so, and the file is read again with a
// wider horizon.
#pragma once

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
    SessionTracker(std::int64_t gapSeconds, std::int64_t horizonSeconds);

    void match(const MatchRecord& match) override;
    void skipped(std::uint64_t line, const std::string& reason) override;

    // The session as it stands at `now`, counting only matches at or after `notBefore` when given.
    // None when it reaches back past what is held.
    std::optional<SessionView> session(std::int64_t now, std::optional<std::int64_t> notBefore) const;

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
    // Of a playlist's matches no longer held, what the rating rule needs: the newest that tells a rating
    // (before or after it), and the newest of all, whose rating after a held match may tell.
    struct OlderMatch {
        std::int64_t time = 0;
        std::uint64_t line = 0;
        std::int32_t rating = 0;
        std::int32_t ratingAfter = 0;
        bool known = false;

        bool laterThan(const MatchRecord& match) const {
            return known && (time > match.time || (time == match.time && line > match.line));
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
    // A match record at the older match's place in time and file, for comparing places.
    static MatchRecord asMatchAt(const OlderMatch& older);
    std::uint32_t playlistIndex(std::string_view name);
    void hold(const HeldMatch& match);
    void letGo(const HeldMatch& match);
    SessionView sessionFrom(std::size_t first) const;

    std::int64_t gapSeconds_;
    std::int64_t horizonSeconds_;
    std::deque<HeldMatch> held_; // in time order, equal times in file order
    std::optional<std::int64_t> newestTime_;
    std::optional<std::int64_t> newestLetGo_;
    std::vector<std::string> names_;
    std::vector<OlderRatings> olderRatings_; // by playlist
    std::unordered_map<std::string, std::uint32_t, TransparentHash, std::equal_to<>> indexes_;
    std::uint32_t lastPlaylist_ = 0;
    std::uint64_t matchesRead_ = 0;
    std::uint64_t skippedCount_ = 0;
    std::vector<RefusedLine> recentSkips_;
};
