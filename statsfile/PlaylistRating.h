// What the rating columns of a playlist's rows tell, taken match by match in time order: the one rule
// the history report and the live view read ratings by.
//
// A row holds the rating before its match (MMR, read when the match ended) and, where the host announced
// it before the row was written, the rating after it (MMRAfter); a rating of 0 or below is none.
// - The rating before a match is its MMR, else the newest rating known before it.
// - The rating after a match is its MMRAfter where present, else the MMR of the playlist's next match
//   (the host announces after every match), else unknown.
// - The playlist's rating now is the rating after its newest match; while that is unknown, the newest
//   rating before it stands, and says so.
#pragma once

#include "statsfile/MatchRecord.h"

#include <cstdint>
#include <optional>

class PlaylistRating {
public:
    // What one match tells.
    struct Step {
        std::optional<std::int32_t> before;
        // The rating after the playlist's previous match, when this match is what tells it.
        std::optional<std::int32_t> previousAfter;
        // The rating after this match, when its own row tells it.
        std::optional<std::int32_t> after;
    };

    // The playlist's next match in time order.
    Step take(const MatchRecord& match);

    // The playlist's rating now: after its newest match where known, else the newest rating before it.
    std::optional<std::int32_t> latest() const { return latest_; }
    // Whether latest() is from before the newest match, the rating after it not being known (yet).
    bool latestIsFromBefore() const { return latest_.has_value() && afterUnknown_; }
    // Whether the rating after the newest match is still to be told by the playlist's next match.
    bool afterUnknown() const { return afterUnknown_; }

private:
    std::optional<std::int32_t> latest_;
    bool afterUnknown_ = false;
};
